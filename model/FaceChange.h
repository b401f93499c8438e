#pragma once

#include "Face.h"

#include <QList>
#include <QUndoCommand>

class CoverSet;

// One change of the faces, undone by putting back each face as it was (picture, file and
// source) and redone by putting back what it became. Most changes are of one face; a change
// of several (a track list with the album's title on the Front and the spines) is one step
// all the same. An undo or a redo counts as a change of the set; the change itself, done as
// the command is pushed, does when `marksChanged`.
class FaceChange : public QUndoCommand
{
public:
    struct Part
    {
        int face;
        Face before;
        Face after;
    };

    // A change with a merge key (0 or more) takes in the next change of the same face with the
    // same key, as long as nothing else came between: typing into one block is one step.
    FaceChange(CoverSet* set, int face, const Face& before, const Face& after, bool marksChanged,
               int mergeKey = -1);
    // Several faces at once; the first is the one to show when the step is undone or redone.
    FaceChange(CoverSet* set, const QList<Part>& parts, bool marksChanged);

    void undo() override;
    void redo() override;
    int id() const override { return m_mergeKey < 0 ? -1 : 1; }
    bool mergeWith(const QUndoCommand* other) override;

    int face() const { return m_parts.constFirst().face; }
    QList<Part>& parts() { return m_parts; }
    const QList<Part>& parts() const { return m_parts; }

private:
    CoverSet* m_set;
    QList<Part> m_parts;
    bool m_marksChanged;
    int m_mergeKey;
};
