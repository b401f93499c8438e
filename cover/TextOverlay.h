#pragma once

#include "CoverSet.h"
#include "TextLayout.h"

#include <QRectF>
#include <Qt>

#include <memory>
#include <vector>

class QKeyEvent;
class QPainter;

// The text blocks of one face as a view shows and edits them: drawn over the picture with the
// model's layout (kept until the block changes), a red outline round a block whose text does
// not fit, and the selected block's dashed outline with its eight handles. A press on a block
// selects it; dragging moves it, dragging a handle resizes it, and the change goes to the set
// once, when the button is released; the arrow keys move it and Delete removes it.
//
// Positions are in the view's coordinates; `face` is where the face is drawn in them.
class TextOverlay
{
public:
    TextOverlay(CoverSet* set, int face);

    void paint(QPainter& painter, const QRectF& face);

    // Whether the press was on a block or a handle (then it is the overlay's to follow).
    bool press(const QPointF& at, const QRectF& face);
    bool move(const QPointF& at, const QRectF& face);
    bool release(const QPointF& at, const QRectF& face);
    bool dragging() const { return m_drag.index >= 0; }
    // Arrows and Delete on the selected block; false for any other key.
    bool key(QKeyEvent* event);
    Qt::CursorShape cursorAt(const QPointF& at, const QRectF& face) const;

    // The block under a point (the topmost), or -1.
    int blockAt(const QPointF& at, const QRectF& face) const;
    // Whether the block under a point has text that does not fit its box.
    bool cutAt(const QPointF& at, const QRectF& face);

private:
    // Where a box of the face lies in the view, and back.
    QRectF toView(const QRectF& box, const QRectF& face) const;
    QPointF toFace(const QPointF& at, const QRectF& face) const;
    // The handle under a point of the selected block: 0..7 clockwise from the top-left
    // corner, or -1.
    int handleAt(const QPointF& at, const QRectF& face) const;
    bool selectedHere() const;
    const TextLayout& layoutOf(int index);

    CoverSet* const m_set;
    const int m_face;
    struct Cached
    {
        TextBlock block;
        std::shared_ptr<TextLayout> layout;
    };
    std::vector<Cached> m_layouts;
    struct Drag
    {
        int index = -1;
        int handle = -1; // -1: the whole block moves
        QPointF from;    // face millimetres where it started
        QRectF box;      // the block's box then
        QRectF now;      // its box as dragged so far
    } m_drag;
};
