#include "PageTarget.h"

#include "TextLayout.h"

#include "Picture.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPen>
#include <QPagedPaintDevice>

namespace {

constexpr double MillimetresPerInch = 25.4;

// The printer's pen as the layout expects it: solid, black, one device pixel whatever the
// resolution (a cosmetic pen).
QPen hairline()
{
    QPen pen(Qt::black, 0, Qt::SolidLine);
    pen.setCosmetic(true);
    return pen;
}

} // namespace

PageTarget::PageTarget(QPagedPaintDevice* device) : m_paged(device), m_device(device) {}

PageTarget::PageTarget(QPaintDevice* device) : m_device(device) {}

PageTarget::~PageTarget()
{
    if (m_painter.isActive())
        m_painter.end();
}

bool PageTarget::setLandscape()
{
    if (!m_paged || m_state == State::Failed || m_state == State::Ended)
        return false;
    // Once printing, a driver may refuse to turn the pages to come; Qt then says so.
    return m_paged->setPageOrientation(QPageLayout::Landscape);
}

bool PageTarget::setMillimetres()
{
    if (!m_device || m_state == State::Failed || m_state == State::Ended)
        return false;
    // The device's own resolution on each axis; a printer's is exact (its dots per inch),
    // unlike anything derived from sizes in whole millimetres.
    const int dpiX = m_device->logicalDpiX();
    const int dpiY = m_device->logicalDpiY();
    if (dpiX <= 0 || dpiY <= 0)
        return false;
    m_unitX = dpiX / MillimetresPerInch;
    m_unitY = dpiY / MillimetresPerInch;
    return true;
}

bool PageTarget::readyToDraw()
{
    switch (m_state) {
    case State::Failed:
    case State::Ended:
        return false;
    case State::NotBegun:
        if (!m_device || !m_painter.begin(m_device)) {
            m_state = State::Failed;
            return false;
        }
        m_state = State::Drawing;
        m_pages = 1;
        m_pageEnded = false;
        m_lineY = 0;
        m_painter.setPen(hairline());
        return true;
    case State::Drawing:
        break;
    }
    if (m_pageEnded) {
        // Any other device is one sheet: what follows is drawn over it.
        if (m_paged && !m_paged->newPage())
            return false;
        m_pageEnded = false;
        ++m_pages;
        m_painter.setWorldTransform(m_turn ? *m_turn : QTransform());
    }
    return true;
}

QRectF PageTarget::toDevice(const QRectF& rect) const
{
    return QRectF(rect.x() * m_unitX, rect.y() * m_unitY, rect.width() * m_unitX,
                  rect.height() * m_unitY);
}

bool PageTarget::printLine(const QString& text)
{
    if (!readyToDraw())
        return false;
    // The painter's font is the device's default, measured at the device's resolution.
    const QFontMetricsF metrics(m_painter.font(), m_device);
    m_painter.drawText(QPointF(0, m_lineY + metrics.ascent()), text);
    m_lineY += metrics.lineSpacing();
    return true;
}

bool PageTarget::drawPicture(const platform::Picture& picture, const QRectF& rect)
{
    if (picture.isNull() || rect.isEmpty() || !readyToDraw())
        return false;
    if (m_ring.isEmpty()) {
        picture.draw(m_painter, toDevice(rect));
        return true;
    }
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    m_painter.setClipPath(m_ring);
    picture.draw(m_painter, toDevice(rect));
    m_painter.restore();
    return true;
}

bool PageTarget::drawText(const TextBlock& block, const QSizeF& faceMm, const QRectF& rect)
{
    if (!readyToDraw() || faceMm.isEmpty())
        return false;
    const QRectF device = toDevice(rect);
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    if (!m_ring.isEmpty())
        m_painter.setClipPath(m_ring);
    m_painter.setClipRect(device, m_ring.isEmpty() ? Qt::ReplaceClip : Qt::IntersectClip);
    m_painter.translate(device.topLeft());
    m_painter.scale(device.width() / faceMm.width(), device.height() / faceMm.height());
    TextLayout(block).draw(m_painter);
    m_painter.restore();
    return true;
}

template <typename Draw> bool PageTarget::drawOutline(Draw draw)
{
    if (!readyToDraw())
        return false;
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setPen(hairline());
    m_painter.setBrush(Qt::NoBrush);
    draw();
    m_painter.restore();
    return true;
}

bool PageTarget::drawFrame(const QRectF& rect)
{
    return drawOutline([&] { m_painter.drawRect(toDevice(rect)); });
}

bool PageTarget::drawCircle(const QRectF& rect)
{
    return drawOutline([&] { m_painter.drawEllipse(toDevice(rect)); });
}

bool PageTarget::drawLine(const QPointF& from, const QPointF& to)
{
    return drawOutline([&] {
        m_painter.drawLine(QPointF(from.x() * m_unitX, from.y() * m_unitY),
                           QPointF(to.x() * m_unitX, to.y() * m_unitY));
    });
}

bool PageTarget::clipToRing(const QRectF& outer, const QRectF& hole)
{
    if (outer.isEmpty() || m_state == State::Failed || m_state == State::Ended)
        return false;
    QPainterPath ring;
    ring.addEllipse(toDevice(outer));
    if (!hole.isEmpty()) {
        QPainterPath inner;
        inner.addEllipse(toDevice(hole));
        ring = ring.subtracted(inner);
    }
    m_ring = ring;
    return true;
}

bool PageTarget::endClip()
{
    m_ring = QPainterPath();
    return true;
}

bool PageTarget::setLabelPaper(const QSizeF& paperMm)
{
    if (!m_paged || paperMm.isEmpty() || m_state == State::Failed || m_state == State::Ended)
        return false;
    // Taken by the next page begun: the painter's first, or the one after a page end.
    QPageLayout layout = m_paged->pageLayout();
    layout.setPageSize(QPageSize(paperMm, QPageSize::Millimeter), layout.margins());
    layout.setOrientation(QPageLayout::Portrait);
    if (m_paged->setPageLayout(layout))
        return true;
    if (m_state != State::Drawing)
        return false;
    // A device that keeps one page layout for the whole job (Qt's print preview) gets the
    // portrait paper turned a quarter to the left on its landscape page: the labels are
    // where the paper has them, seen from its side. Positions are then from the paper's
    // corner (printableOrigin() is nought), and every drawing goes through the turn.
    const QPointF corner =
        QPointF(m_paged->pageLayout().paintRectPoints().topLeft()) * (MillimetresPerInch / 72);
    const QTransform toMm = QTransform::fromScale(1 / m_unitX, 1 / m_unitY);
    const QTransform turn(0, -1, 1, 0, 0, paperMm.width());
    m_turn = toMm * turn * QTransform::fromTranslate(-corner.x(), -corner.y()) *
             QTransform::fromScale(m_unitX, m_unitY);
    return true;
}

QPointF PageTarget::printableOrigin() const
{
    if (!m_paged || m_turn)
        return QPointF();
    // Qt's PDF output (and every printer that goes through it) puts the corner on whole
    // points, not exactly at the margins asked for.
    return QPointF(m_paged->pageLayout().paintRectPoints().topLeft()) * (MillimetresPerInch / 72);
}

bool PageTarget::endPage()
{
    // Ending a page that nothing was drawn on still gives that empty page, as asked.
    if (!readyToDraw())
        return false;
    m_pageEnded = true;
    m_lineY = 0;
    m_turn.reset();
    return true;
}

bool PageTarget::endJob()
{
    const State was = m_state;
    m_state = State::Ended;
    switch (was) {
    case State::NotBegun:
        return true; // nothing was printed, and nothing failed
    case State::Failed:
    case State::Ended:
        return false;
    case State::Drawing:
        break;
    }
    // Ending the painter closes the last page; no newPage() follows a page end here.
    const bool ended = m_painter.end();
    return ended && !deviceFailed();
}
