#include "PrintableAreaCheck.h"

#include "PrintLayout.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace {

// Less than this is the arithmetic's noise, not paper that is missing.
constexpr double kNoise = 0.005;

// Rounded up: a sheet that misses 0.02 mm must not read "0.0 mm missing".
QString millimetres(double value)
{
    return QLocale::c().toString(std::ceil(value * 10 - 1e-6) / 10, 'f', 1);
}

} // namespace

PrintableAreaCheck::PrintableAreaCheck(const PrintLayout& layout, const QSizeF& printableArea,
                                       const PrinterCalibration& calibration)
    : m_layout(layout)
{
    for (const int sheet : layout.printedSheets()) {
        // A sheet of labels is the label maker's layout, on paper of its own.
        const QRectF frames = layout.frames(sheet);
        if (frames.isEmpty())
            continue;
        const QRectF onPaper = calibration.map(frames);
        // A frame pushed past the corner is cut off just as one past the far edge is.
        const double width =
            std::max(0.0, onPaper.right() - printableArea.width()) + std::max(0.0, -onPaper.left());
        const double height = std::max(0.0, onPaper.bottom() - printableArea.height()) +
                              std::max(0.0, -onPaper.top());
        if (width > kNoise || height > kNoise)
            m_shortfalls.append({sheet, width > kNoise ? width : 0, height > kNoise ? height : 0});
    }
}

QSizeF PrintableAreaCheck::needed(int sheet, const PrinterCalibration& calibration)
{
    const QRectF onPaper = calibration.map(PrintLayout::sheetFrames(sheet));
    return QSizeF(onPaper.right(), onPaper.bottom());
}

QString PrintableAreaCheck::question(const Wording& wording) const
{
    const QString lineBreak = QStringLiteral("\r\n");
    QString text = wording.intro;
    for (const Shortfall& shortfall : m_shortfalls) {
        const QString sheet = QString::number(shortfall.sheet);
        const QString caption = m_layout.caption(shortfall.sheet);
        if (shortfall.width > 0)
            text +=
                lineBreak + wording.missingWidth.arg(sheet, caption, millimetres(shortfall.width));
        if (shortfall.height > 0)
            text += lineBreak +
                    wording.missingHeight.arg(sheet, caption, millimetres(shortfall.height));
    }
    return text + lineBreak + lineBreak + wording.ending;
}
