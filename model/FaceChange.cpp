#include "FaceChange.h"

#include "CoverSet.h"

FaceChange::FaceChange(CoverSet* set, int face, const Face& before, const Face& after,
                       bool marksChanged, int mergeKey)
    : m_set(set), m_face(face), m_before(before), m_after(after), m_marksChanged(marksChanged),
      m_mergeKey(mergeKey)
{
}

bool FaceChange::mergeWith(const QUndoCommand* other)
{
    const auto* next = dynamic_cast<const FaceChange*>(other);
    if (next == nullptr || next->m_set != m_set || next->m_face != m_face ||
        next->m_mergeKey != m_mergeKey)
        return false;
    m_after = next->m_after;
    return true;
}

void FaceChange::undo()
{
    m_set->restoreFace(m_face, m_before);
    m_set->setNeedSave(true);
}

void FaceChange::redo()
{
    m_set->restoreFace(m_face, m_after);
    if (m_marksChanged)
        m_set->setNeedSave(true);
    m_marksChanged = true; // every later redo is a change of the set
}
