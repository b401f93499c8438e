#include "TextOverlay.h"

#include <QKeyEvent>
#include <QPainter>

#include <array>
#include <cmath>

namespace {

constexpr double kHandlePixels = 6.0;
constexpr double kStepMm = 0.5;
constexpr double kLongStepMm = 5.0;
constexpr double kSmallestMm = 2.0;

// The eight handles of a rectangle, clockwise from its top-left corner.
std::array<QPointF, 8> handlePoints(const QRectF& r)
{
    const QPointF c = r.center();
    return {r.topLeft(),     QPointF(c.x(), r.top()),    r.topRight(),
            QPointF(r.right(), c.y()), r.bottomRight(), QPointF(c.x(), r.bottom()),
            r.bottomLeft(),  QPointF(r.left(), c.y())};
}

} // namespace

TextOverlay::TextOverlay(CoverSet* set, int face) : m_set(set), m_face(face) {}

QRectF TextOverlay::toView(const QRectF& box, const QRectF& face) const
{
    const QSizeF mm = m_set->face(m_face).sizeMm(m_face);
    const double sx = face.width() / mm.width();
    const double sy = face.height() / mm.height();
    return QRectF(face.left() + box.left() * sx, face.top() + box.top() * sy, box.width() * sx,
                  box.height() * sy);
}

QPointF TextOverlay::toFace(const QPointF& at, const QRectF& face) const
{
    const QSizeF mm = m_set->face(m_face).sizeMm(m_face);
    return QPointF((at.x() - face.left()) * mm.width() / face.width(),
                   (at.y() - face.top()) * mm.height() / face.height());
}

bool TextOverlay::selectedHere() const
{
    return m_set->position() == m_face && m_set->selectedText() >= 0 &&
           m_set->selectedText() < m_set->face(m_face).texts().size();
}

const TextLayout& TextOverlay::layoutOf(int index)
{
    const TextBlocks& blocks = m_set->face(m_face).texts();
    if (m_layouts.size() != size_t(blocks.size()))
        m_layouts.resize(size_t(blocks.size()));
    Cached& cached = m_layouts[size_t(index)];
    if (!cached.layout || !(cached.block == blocks[index])) {
        cached.block = blocks[index];
        cached.layout = std::make_shared<TextLayout>(blocks[index]);
    }
    return *cached.layout;
}

void TextOverlay::paint(QPainter& painter, const QRectF& face)
{
    const TextBlocks& blocks = m_set->face(m_face).texts();
    if (blocks.isEmpty() || face.isEmpty())
        return;
    const QSizeF mm = m_set->face(m_face).sizeMm(m_face);
    painter.save();
    painter.setClipRect(face, Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (qsizetype i = 0; i < blocks.size(); ++i) {
        const TextLayout& layout = layoutOf(int(i));
        painter.save();
        if (m_drag.index == i) {
            // A block being dragged is drawn where it is going.
            painter.translate(toView(m_drag.now, face).topLeft() - toView(blocks[i].box, face).topLeft());
        }
        painter.translate(face.topLeft());
        painter.scale(face.width() / mm.width(), face.height() / mm.height());
        layout.draw(painter);
        painter.restore();
        if (!layout.fits()) {
            painter.setPen(QPen(QColor(220, 0, 0), 1.5));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(toView(m_drag.index == i ? m_drag.now : blocks[i].box, face));
        }
    }
    if (selectedHere()) {
        const int index = m_set->selectedText();
        const QRectF box =
            toView(m_drag.index == index ? m_drag.now : blocks[index].box, face);
        painter.setRenderHint(QPainter::Antialiasing, false);
        // Dashes that show on dark and light pictures alike.
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::white, 1, Qt::SolidLine));
        painter.drawRect(box);
        painter.setPen(QPen(QColor(0, 90, 200), 1, Qt::DashLine));
        painter.drawRect(box);
        painter.setPen(QPen(QColor(0, 90, 200), 1));
        painter.setBrush(Qt::white);
        for (const QPointF& p : handlePoints(box)) {
            painter.drawRect(QRectF(p.x() - kHandlePixels / 2, p.y() - kHandlePixels / 2,
                                    kHandlePixels, kHandlePixels));
        }
    }
    painter.restore();
}

int TextOverlay::blockAt(const QPointF& at, const QRectF& face) const
{
    const TextBlocks& blocks = m_set->face(m_face).texts();
    for (qsizetype i = blocks.size() - 1; i >= 0; --i) {
        if (toView(blocks[i].box, face).adjusted(-2, -2, 2, 2).contains(at))
            return int(i);
    }
    return -1;
}

bool TextOverlay::cutAt(const QPointF& at, const QRectF& face)
{
    const int index = blockAt(at, face);
    return index >= 0 && !layoutOf(index).fits();
}

int TextOverlay::handleAt(const QPointF& at, const QRectF& face) const
{
    if (!selectedHere())
        return -1;
    const QRectF box = toView(m_set->face(m_face).texts()[m_set->selectedText()].box, face);
    const std::array<QPointF, 8> points = handlePoints(box);
    for (int i = 0; i < 8; ++i) {
        if (std::abs(at.x() - points[size_t(i)].x()) <= kHandlePixels &&
            std::abs(at.y() - points[size_t(i)].y()) <= kHandlePixels)
            return i;
    }
    return -1;
}

Qt::CursorShape TextOverlay::cursorAt(const QPointF& at, const QRectF& face) const
{
    static constexpr Qt::CursorShape kHandleCursors[] = {
        Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor, Qt::SizeHorCursor,
        Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor, Qt::SizeHorCursor};
    const int handle = m_drag.index >= 0 ? m_drag.handle : handleAt(at, face);
    if (handle >= 0)
        return kHandleCursors[handle];
    if (m_drag.index >= 0 || blockAt(at, face) >= 0)
        return Qt::SizeAllCursor;
    return Qt::ArrowCursor;
}

bool TextOverlay::press(const QPointF& at, const QRectF& face)
{
    const int handle = handleAt(at, face);
    const int index = handle >= 0 ? m_set->selectedText() : blockAt(at, face);
    if (index < 0) {
        if (m_set->position() == m_face)
            m_set->setSelectedText(-1);
        return false;
    }
    if (m_set->position() != m_face)
        m_set->setPosition(qint16(m_face));
    m_set->setSelectedText(index);
    const QRectF box = m_set->face(m_face).texts()[index].box;
    m_drag = {index, handle, toFace(at, face), box, box};
    return true;
}

bool TextOverlay::move(const QPointF& at, const QRectF& face)
{
    if (m_drag.index < 0)
        return false;
    const QPointF d = toFace(at, face) - m_drag.from;
    QRectF r = m_drag.box;
    switch (m_drag.handle) {
    case -1: r.translate(d); break;
    case 0: r.setTopLeft(r.topLeft() + d); break;
    case 1: r.setTop(r.top() + d.y()); break;
    case 2: r.setTopRight(r.topRight() + d); break;
    case 3: r.setRight(r.right() + d.x()); break;
    case 4: r.setBottomRight(r.bottomRight() + d); break;
    case 5: r.setBottom(r.bottom() + d.y()); break;
    case 6: r.setBottomLeft(r.bottomLeft() + d); break;
    case 7: r.setLeft(r.left() + d.x()); break;
    default: break;
    }
    r = r.normalized();
    if (r.width() < kSmallestMm)
        r.setWidth(kSmallestMm);
    if (r.height() < kSmallestMm)
        r.setHeight(kSmallestMm);
    m_drag.now = r;
    return true;
}

bool TextOverlay::release(const QPointF& at, const QRectF& face)
{
    if (m_drag.index < 0)
        return false;
    move(at, face);
    const Drag done = m_drag;
    m_drag = Drag();
    const TextBlocks& blocks = m_set->face(m_face).texts();
    if (done.index < blocks.size() && done.now != done.box) {
        TextBlock block = blocks[done.index];
        block.box = done.now;
        // A block dragged off its face altogether would be lost to the file: it stays on.
        if (block.touches(m_set->face(m_face).sizeMm(m_face)))
            m_set->changeText(m_face, done.index, block);
    }
    return true;
}

bool TextOverlay::key(QKeyEvent* event)
{
    if (!selectedHere())
        return false;
    const int index = m_set->selectedText();
    TextBlock block = m_set->face(m_face).texts()[index];
    const double step = event->modifiers() & Qt::ShiftModifier ? kLongStepMm : kStepMm;
    switch (event->key()) {
    case Qt::Key_Left: block.box.translate(-step, 0); break;
    case Qt::Key_Right: block.box.translate(step, 0); break;
    case Qt::Key_Up: block.box.translate(0, -step); break;
    case Qt::Key_Down: block.box.translate(0, step); break;
    case Qt::Key_Delete:
        m_set->removeText(m_face, index);
        return true;
    default:
        return false;
    }
    if (block.touches(m_set->face(m_face).sizeMm(m_face)))
        m_set->changeText(m_face, index, block);
    return true;
}
