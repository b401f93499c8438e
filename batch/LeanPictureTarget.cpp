#include "LeanPictureTarget.h"

#include "LeanJpegDecoder.h"
#include "Picture.h"

#include <cmath>

namespace {

constexpr double kMillimetresPerInch = 25.4;

} // namespace

LeanPictureTarget::LeanPictureTarget(PrintTarget& target, int dpi) : ForwardingTarget(target), m_dpi(dpi) {}

QSize LeanPictureTarget::devicePixels(const QRectF& rect, int dpi, const QSize& picture)
{
    const double unit = dpi / kMillimetresPerInch;
    const QSize device(int(std::ceil(rect.width() * unit)), int(std::ceil(rect.height() * unit)));
    return QSize(qBound(1, device.width(), picture.width()),
                 qBound(1, device.height(), picture.height()));
}

bool LeanPictureTarget::drawPicture(const platform::Picture& picture, const QRectF& rect)
{
    if (picture.kind() != platform::Picture::Kind::Bitmap ||
        picture.formatName() != QLatin1String("jpeg"))
        return m_target.drawPicture(picture, rect);
    const QImage reduced =
        LeanJpegDecoder::scaled(picture.fileBytes(), devicePixels(rect, m_dpi, picture.size()));
    if (reduced.isNull())
        return m_target.drawPicture(picture, rect);
    return m_target.drawPicture(platform::Picture::fromImage(reduced), rect);
}
