#pragma once

#include "Face.h"

#include <QUndoCommand>

class CoverSet;

// One change of a face, undone by putting back the face as it was (picture, file and
// source) and redone by putting back what it became. An undo or a redo counts as a change
// of the set; the change itself, done as the command is pushed, does when `marksChanged`.
class FaceChange : public QUndoCommand
{
public:
    // A change with a merge key (0 or more) takes in the next change of the same face with the
    // same key, as long as nothing else came between: typing into one block is one step.
    FaceChange(CoverSet* set, int face, const Face& before, const Face& after, bool marksChanged,
               int mergeKey = -1);

    void undo() override;
    void redo() override;
    int id() const override { return m_mergeKey < 0 ? -1 : 1; }
    bool mergeWith(const QUndoCommand* other) override;

    int face() const { return m_face; }
    Face& before() { return m_before; }
    Face& after() { return m_after; }
    const Face& before() const { return m_before; }
    const Face& after() const { return m_after; }

private:
    CoverSet* m_set;
    int m_face;
    Face m_before;
    Face m_after;
    bool m_marksChanged;
    int m_mergeKey;
};
