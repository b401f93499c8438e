#include "DiscShape.h"

#include "PrivateProfile.h"

#include <algorithm>
#include <cmath>

namespace {

const QString kSection = QStringLiteral("Layout");

double hundredths(double value)
{
    return std::round(value * 100) / 100;
}

QString number(double value)
{
    QString text = QString::number(value, 'f', 2);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

double readNumber(const QString& text, double fallback)
{
    bool ok = false;
    const double read = text.trimmed().toDouble(&ok);
    return ok && std::isfinite(read) ? read : fallback;
}

} // namespace

DiscShape DiscShape::roundLabel(double outer, double hole)
{
    return DiscShape{true, outer, hole}.normalized();
}

DiscShape DiscShape::normalized() const
{
    DiscShape shape = *this;
    shape.outer = std::isfinite(outer) ? hundredths(std::clamp(outer, kMinOuter, kMaxOuter))
                                       : kDefaultOuter;
    if (!std::isfinite(hole))
        shape.hole = kDefaultHole;
    else if (hole < kMinHole / 2)
        shape.hole = 0;
    else
        shape.hole = hundredths(std::clamp(hole, kMinHole, kMaxHole));
    return shape;
}

QRectF DiscShape::holeIn(const QRectF& label) const
{
    if (hole <= 0 || outer <= 0)
        return QRectF();
    const double w = label.width() * hole / outer;
    const double h = label.height() * hole / outer;
    return QRectF(label.center().x() - w / 2, label.center().y() - h / 2, w, h);
}

DiscShape DiscShape::read(const platform::ProfileFile& file)
{
    const auto value = [&file](const char* key) {
        return file.value(kSection, QLatin1String(key), QString(), 256).trimmed();
    };
    if (value("CdShape").compare(QLatin1String("round"), Qt::CaseInsensitive) != 0)
        return DiscShape();
    return DiscShape{true, readNumber(value("CdOuter"), kDefaultOuter),
                     readNumber(value("CdHole"), kDefaultHole)}
        .normalized();
}

platform::ProfileSectionEdit DiscShape::edit(const DiscShape& shape)
{
    if (!shape.round)
        return {kSection, {}, true};
    return {kSection,
            {{QStringLiteral("CdShape"), QStringLiteral("round")},
             {QStringLiteral("CdOuter"), number(shape.outer)},
             {QStringLiteral("CdHole"), number(shape.hole)}},
            false};
}
