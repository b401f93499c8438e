#include "CalibrationPage.h"

#include "LangRuntime.h"
#include "PrinterTarget.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

#include <cmath>

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kTick = 2;      // every millimetre
constexpr double kTick5 = 3.5;   // every 5
constexpr double kTick10 = 5;    // every 10
constexpr double kMarkTick = 12; // the labelled marks

QPen hairline()
{
    QPen pen(Qt::black, 0, Qt::SolidLine);
    pen.setCosmetic(true);
    return pen;
}

double tickLength(int millimetre)
{
    if (millimetre % 10 == 0)
        return kTick10;
    return millimetre % 5 == 0 ? kTick5 : kTick;
}

} // namespace

const QList<int>& CalibrationPage::labelledMarks()
{
    static const QList<int> marks = {20, 140, 260};
    return marks;
}

CalibrationPage::CalibrationPage(QPainter& painter, const QPrinter& printer,
                                 const PrinterCalibration& calibration)
    : m_painter(painter), m_calibration(calibration),
      m_area(PrinterTarget::landscapePrintableArea(printer)),
      m_unitX(printer.logicalDpiX() / kMillimetresPerInch),
      m_unitY(printer.logicalDpiY() / kMillimetresPerInch)
{
}

bool CalibrationPage::print(QPrinter& printer, const QString& printerTitle,
                            const PrinterCalibration& calibration)
{
    printer.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(hairline());
    const CalibrationPage page(painter, printer, calibration);
    page.drawRulers();

    // Where the printable area begins on the paper: the user measures from the paper's edges.
    const QPointF corner = printer.pageLayout().paintRect(QPageLayout::Millimeter).topLeft();
    const auto number = [](double value) { return PrinterCalibration::toText(value); };
    page.drawInformation(
        LangString(1464).arg(printerTitle, number(corner.x()), number(corner.y()),
                             number(calibration.offset.x()), number(calibration.offset.y()),
                             number(calibration.scale.x()), number(calibration.scale.y())));
    return painter.end() && printer.printerState() != QPrinter::Error;
}

QPointF CalibrationPage::toDevice(double x, double y) const
{
    const QPointF mm = m_calibration.map(QPointF(x, y));
    return QPointF(mm.x() * m_unitX, mm.y() * m_unitY);
}

void CalibrationPage::line(double x1, double y1, double x2, double y2) const
{
    m_painter.drawLine(toDevice(x1, y1), toDevice(x2, y2));
}

void CalibrationPage::label(const QString& text, double x, double y, Qt::Alignment alignment,
                            bool bold) const
{
    QFont font = m_painter.font();
    font.setPointSizeF(bold ? 8 : 6);
    font.setBold(bold);
    m_painter.setFont(font);
    // A box around the anchor point, wide enough for any label; the alignment places the text.
    const QPointF at = toDevice(x, y);
    const double width = 30 * m_unitX;
    const double height = 6 * m_unitY;
    QRectF box(at.x() - width / 2, at.y() - height / 2, width, height);
    if (alignment & Qt::AlignLeft)
        box.moveLeft(at.x());
    if (alignment & Qt::AlignTop)
        box.moveTop(at.y());
    m_painter.drawText(box, int(alignment), text);
}

void CalibrationPage::drawRulers() const
{
    const QList<int>& marks = labelledMarks();
    const int lastX = int(std::floor(m_area.width()));
    const int lastY = int(std::floor(m_area.height()));
    line(0, 0, lastX, 0);
    line(0, 0, 0, lastY);
    for (int x = 1; x <= lastX; ++x) {
        const bool marked = marks.contains(x);
        line(x, 0, x, marked ? kMarkTick : tickLength(x));
        if (marked)
            label(QStringLiteral("%1 mm").arg(x), x, kMarkTick + 0.5,
                  Qt::AlignHCenter | Qt::AlignTop, true);
        else if (x % 10 == 0)
            label(QString::number(x), x, kTick10 + 0.5, Qt::AlignHCenter | Qt::AlignTop, false);
    }
    for (int y = 1; y <= lastY; ++y) {
        // The last mark is the booklet's width: no sheet reaches that far down.
        const bool marked = marks.contains(y) && y != marks.constLast();
        line(0, y, marked ? kMarkTick : tickLength(y), y);
        if (marked)
            label(QStringLiteral("%1 mm").arg(y), kMarkTick + 1, y,
                  Qt::AlignLeft | Qt::AlignVCenter, true);
        else if (y % 10 == 0)
            label(QString::number(y), kTick10 + 1, y, Qt::AlignLeft | Qt::AlignVCenter, false);
    }
}

void CalibrationPage::drawInformation(const QString& text) const
{
    QFont font = m_painter.font();
    font.setPointSizeF(9);
    font.setBold(false);
    m_painter.setFont(font);
    // Clear of both rulers and of the labelled marks, across the middle of the page.
    const QPointF topLeft = toDevice(40, 40);
    const QPointF bottomRight = toDevice(std::max(80.0, m_area.width() - 20), 80);
    m_painter.drawText(QRectF(topLeft, bottomRight),
                       Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
}
