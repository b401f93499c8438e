#include "PrinterCalibration.h"

#include "AppInfo.h"
#include "Settings.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace {

const QString kOffsetX = QStringLiteral("OffsetX");
const QString kOffsetY = QStringLiteral("OffsetY");
const QString kScaleX = QStringLiteral("ScaleX");
const QString kScaleY = QStringLiteral("ScaleY");

bool inRange(double value, double low, double high)
{
    return std::isfinite(value) && value >= low && value <= high;
}

// A printer name is one group of the store: its separators must not open groups of their own.
QString section(const QString& printer)
{
    QString name = printer;
    name.replace(QLatin1Char('%'), QStringLiteral("%25"));
    name.replace(QLatin1Char('/'), QStringLiteral("%2F"));
    name.replace(QLatin1Char('\\'), QStringLiteral("%5C"));
    return QStringLiteral("Calibration/") + name;
}

// Stored in the C locale, so a file written under one language reads the same under another.
double stored(const QString& printer, const QString& key, double fallback)
{
    const QString text = platform::GetSetting(platform::applicationTitle(), section(printer), key);
    bool ok = false;
    const double value = QLocale::c().toDouble(text.trimmed(), &ok);
    return ok ? value : fallback;
}

void store(const QString& printer, const QString& key, double value)
{
    platform::SaveSetting(platform::applicationTitle(), section(printer), key,
                          QLocale::c().toString(value, 'f', 1));
}

std::optional<double> parse(const QString& text, double low, double high)
{
    // Both decimal marks: the user types whichever his language writes.
    static const QRegularExpression number(
        QStringLiteral("^\\s*([+-]?)(\\d{1,3})(?:[.,](\\d))?\\s*$"));
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    // Tenths counted as whole numbers: 1.5 is exactly 15 tenths, never 1.4999.
    int tenths = match.captured(2).toInt() * 10;
    if (match.hasCaptured(3))
        tenths += match.captured(3).toInt();
    if (match.captured(1) == QLatin1String("-"))
        tenths = -tenths;
    const double value = tenths / 10.0;
    if (!inRange(value, low, high))
        return std::nullopt;
    return value;
}

} // namespace

bool PrinterCalibration::isValid() const
{
    return inRange(offset.x(), -kMaxOffset, kMaxOffset) &&
           inRange(offset.y(), -kMaxOffset, kMaxOffset) &&
           inRange(scale.x(), kMinScale, kMaxScale) && inRange(scale.y(), kMinScale, kMaxScale);
}

QPointF PrinterCalibration::map(const QPointF& millimetres) const
{
    return QPointF(offset.x() + millimetres.x() * scale.x() / 100,
                   offset.y() + millimetres.y() * scale.y() / 100);
}

QRectF PrinterCalibration::map(const QRectF& millimetres) const
{
    return QRectF(map(millimetres.topLeft()), QSizeF(millimetres.width() * scale.x() / 100,
                                                     millimetres.height() * scale.y() / 100));
}

PrinterCalibration PrinterCalibration::load(const QString& printer)
{
    PrinterCalibration calibration;
    calibration.offset = QPointF(stored(printer, kOffsetX, 0), stored(printer, kOffsetY, 0));
    calibration.scale = QPointF(stored(printer, kScaleX, 100), stored(printer, kScaleY, 100));
    return calibration.isValid() ? calibration : PrinterCalibration();
}

void PrinterCalibration::save(const QString& printer) const
{
    store(printer, kOffsetX, offset.x());
    store(printer, kOffsetY, offset.y());
    store(printer, kScaleX, scale.x());
    store(printer, kScaleY, scale.y());
}

std::optional<double> PrinterCalibration::parseOffset(const QString& text)
{
    return parse(text, -kMaxOffset, kMaxOffset);
}

std::optional<double> PrinterCalibration::parseScale(const QString& text)
{
    return parse(text, kMinScale, kMaxScale);
}

QString PrinterCalibration::toText(double value)
{
    // No "-0.0" for a value that rounds to nothing.
    const double tenths = std::round(value * 10);
    return QLocale::c().toString(tenths == 0 ? 0.0 : tenths / 10, 'f', 1);
}
