#include "FaceChange.h"

#include "CoverSet.h"

FaceChange::FaceChange(CoverSet* set, int face, const Face& before, const Face& after)
    : m_set(set), m_face(face), m_before(before), m_after(after)
{
}

void FaceChange::undo()
{
    m_set->restoreFace(m_face, m_before);
    m_set->setNeedSave(true);
}

void FaceChange::redo()
{
    if (m_done) {
        m_done = false;
        return;
    }
    m_set->restoreFace(m_face, m_after);
    m_set->setNeedSave(true);
}
