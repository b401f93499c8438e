#include "FaceChange.h"

#include "CoverSet.h"

FaceChange::FaceChange(CoverSet* set, int face, const Face& before, const Face& after,
                       bool marksChanged)
    : m_set(set), m_face(face), m_before(before), m_after(after), m_marksChanged(marksChanged)
{
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
