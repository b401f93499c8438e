#include "DiscShape.h"

#include "PrivateProfile.h"
#include "ProfileNumber.h"

#include <algorithm>
#include <cmath>

namespace {

const QString kSection = QStringLiteral("Layout");

double hundredths(double value)
{
    return std::round(value * 100) / 100;
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
    DiscShape shape = roundLabel();
    readProfileNumber(value("CdOuter"), &shape.outer);
    readProfileNumber(value("CdHole"), &shape.hole);
    return shape.normalized();
}

platform::ProfileSectionEdit DiscShape::edit(const DiscShape& shape)
{
    if (!shape.round)
        return {kSection, {}, true};
    return {kSection,
            {{QStringLiteral("CdShape"), QStringLiteral("round")},
             {QStringLiteral("CdOuter"), profileNumber(shape.outer)},
             {QStringLiteral("CdHole"), profileNumber(shape.hole)}},
            false};
}
