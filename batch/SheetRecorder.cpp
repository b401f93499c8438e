#include "SheetRecorder.h"

#include <QPageSize>

SheetRecorder::SheetRecorder(const QPageLayout& page, int dpi)
    : m_page(page), m_nextPage(page), m_dpi(dpi > 0 ? dpi : 600)
{
}

SheetRecorder::Sheet& SheetRecorder::current()
{
    if (!m_sheetOpen) {
        m_sheets.append(Sheet{{}, m_nextPage});
        m_sheetOpen = true;
    }
    return m_sheets.last();
}

QPageLayout SheetRecorder::page(int sheet) const
{
    return sheet < 0 || sheet >= m_sheets.size() ? m_page : m_sheets[sheet].page;
}

QString SheetRecorder::caption(int sheet) const
{
    if (sheet < 0 || sheet >= m_sheets.size())
        return QString();
    for (const Operation& op : m_sheets[sheet].operations) {
        if (op.kind == Operation::Kind::Line)
            return op.text;
    }
    return QString();
}

bool SheetRecorder::replay(int sheet, PrintTarget& target) const
{
    if (sheet < 0 || sheet >= m_sheets.size())
        return false;
    target.setMillimetres();
    for (const Operation& op : m_sheets[sheet].operations) {
        switch (op.kind) {
        case Operation::Kind::Line:
            target.printLine(op.text);
            break;
        case Operation::Kind::Picture:
            target.drawPicture(op.picture, op.rect);
            break;
        case Operation::Kind::Text:
            target.drawText(op.block, op.faceMm, op.rect);
            break;
        case Operation::Kind::Frame:
            target.drawFrame(op.rect);
            break;
        case Operation::Kind::Circle:
            target.drawCircle(op.rect);
            break;
        case Operation::Kind::Stroke:
            target.drawLine(op.rect.topLeft(), op.other.topLeft());
            break;
        case Operation::Kind::Ring:
            target.clipToRing(op.rect, op.other);
            break;
        case Operation::Kind::Unclip:
            target.endClip();
            break;
        }
    }
    return target.endJob();
}

bool SheetRecorder::printLine(const QString& text)
{
    current().operations.append({Operation::Kind::Line, text, {}, {}});
    return true;
}

bool SheetRecorder::drawPicture(const platform::Picture& picture, const QRectF& rect)
{
    current().operations.append({Operation::Kind::Picture, {}, picture, rect});
    return true;
}

bool SheetRecorder::drawText(const TextBlock& block, const QSizeF& faceMm, const QRectF& rect)
{
    current().operations.append({Operation::Kind::Text, {}, {}, rect, block, faceMm});
    return true;
}

bool SheetRecorder::drawFrame(const QRectF& rect)
{
    current().operations.append({Operation::Kind::Frame, {}, {}, rect});
    return true;
}

bool SheetRecorder::drawCircle(const QRectF& rect)
{
    current().operations.append({Operation::Kind::Circle, {}, {}, rect});
    return true;
}

bool SheetRecorder::drawLine(const QPointF& from, const QPointF& to)
{
    current().operations.append(
        {Operation::Kind::Stroke, {}, {}, QRectF(from, QSizeF()), {}, {}, QRectF(to, QSizeF())});
    return true;
}

bool SheetRecorder::clipToRing(const QRectF& outer, const QRectF& hole)
{
    current().operations.append({Operation::Kind::Ring, {}, {}, outer, {}, {}, hole});
    return true;
}

bool SheetRecorder::endClip()
{
    current().operations.append({Operation::Kind::Unclip, {}, {}, {}});
    return true;
}

bool SheetRecorder::setLabelPaper(const QSizeF& paperMm)
{
    if (paperMm.isEmpty())
        return false;
    m_nextPage = m_page;
    m_nextPage.setPageSize(QPageSize(paperMm, QPageSize::Millimeter), m_page.margins());
    m_nextPage.setOrientation(QPageLayout::Portrait);
    if (m_sheetOpen && m_sheets.last().operations.isEmpty())
        m_sheets.last().page = m_nextPage;
    return true;
}

QPointF SheetRecorder::printableOrigin() const
{
    // A sheet is drawn on a view of its page that starts at the printable area's first pixel.
    return QPointF(m_nextPage.paintRectPixels(m_dpi).topLeft()) * (25.4 / m_dpi);
}

bool SheetRecorder::endPage()
{
    // A page ended with nothing on it is still a sheet.
    current();
    m_sheetOpen = false;
    return true;
}

bool SheetRecorder::endJob()
{
    m_sheetOpen = false;
    return true;
}
