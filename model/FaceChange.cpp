#include "FaceChange.h"

#include "CoverSet.h"

FaceChange::FaceChange(CoverSet* set, int face, const Face& before, const Face& after,
                       bool marksChanged, int mergeKey)
    : FaceChange(set, {{face, before, after}}, marksChanged)
{
    m_mergeKey = mergeKey;
}

FaceChange::FaceChange(CoverSet* set, const QList<Part>& parts, bool marksChanged)
    : m_set(set), m_parts(parts), m_marksChanged(marksChanged), m_mergeKey(-1)
{
}

bool FaceChange::mergeWith(const QUndoCommand* other)
{
    const auto* next = dynamic_cast<const FaceChange*>(other);
    if (next == nullptr || next->m_set != m_set || m_parts.size() != 1 ||
        next->m_parts.size() != 1 || next->face() != face() || next->m_mergeKey != m_mergeKey)
        return false;
    m_parts.first().after = next->m_parts.constFirst().after;
    return true;
}

void FaceChange::undo()
{
    for (auto part = m_parts.crbegin(); part != m_parts.crend(); ++part)
        m_set->restoreFace(part->face, part->before);
    m_set->setNeedSave(true);
}

void FaceChange::redo()
{
    for (const Part& part : std::as_const(m_parts))
        m_set->restoreFace(part.face, part.after);
    if (m_marksChanged)
        m_set->setNeedSave(true);
    m_marksChanged = true; // every later redo is a change of the set
}
