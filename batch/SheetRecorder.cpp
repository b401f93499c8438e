#include "SheetRecorder.h"

SheetRecorder::Sheet& SheetRecorder::current()
{
    if (!m_sheetOpen) {
        m_sheets.append(Sheet());
        m_sheetOpen = true;
    }
    return m_sheets.last();
}

QString SheetRecorder::caption(int sheet) const
{
    if (sheet < 0 || sheet >= m_sheets.size())
        return QString();
    for (const Operation& op : m_sheets[sheet]) {
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
    for (const Operation& op : m_sheets[sheet]) {
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
        }
    }
    return target.endJob();
}

bool SheetRecorder::printLine(const QString& text)
{
    current().append({Operation::Kind::Line, text, {}, {}});
    return true;
}

bool SheetRecorder::drawPicture(const platform::Picture& picture, const QRectF& rect)
{
    current().append({Operation::Kind::Picture, {}, picture, rect});
    return true;
}

bool SheetRecorder::drawText(const TextBlock& block, const QSizeF& faceMm, const QRectF& rect)
{
    current().append({Operation::Kind::Text, {}, {}, rect, block, faceMm});
    return true;
}

bool SheetRecorder::drawFrame(const QRectF& rect)
{
    current().append({Operation::Kind::Frame, {}, {}, rect});
    return true;
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
