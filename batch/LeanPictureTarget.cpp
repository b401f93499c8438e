#include "LeanPictureTarget.h"

#include "LeanJpegDecoder.h"
#include "Picture.h"

#include <cmath>

namespace {

constexpr double kMillimetresPerInch = 25.4;

} // namespace

LeanPictureTarget::LeanPictureTarget(PrintTarget& target, int dpi) : ForwardingTarget(target), m_dpi(dpi) {}

bool LeanPictureTarget::drawPicture(const platform::Picture& picture, const QRectF& rect)
{
    if (picture.kind() != platform::Picture::Kind::Bitmap ||
        picture.formatName() != QLatin1String("jpeg"))
        return m_target.drawPicture(picture, rect);
    // The device pixels the page target will ask the picture for, computed as it does, so
    // that the reduced picture is drawn as it is and not scaled once more.
    const double unit = m_dpi / kMillimetresPerInch;
    const QSize device(int(std::ceil(rect.width() * unit)), int(std::ceil(rect.height() * unit)));
    const QSize needed(qBound(1, device.width(), picture.size().width()),
                       qBound(1, device.height(), picture.size().height()));
    const QImage reduced = LeanJpegDecoder::scaled(picture.fileBytes(), needed);
    if (reduced.isNull())
        return m_target.drawPicture(picture, rect);
    return m_target.drawPicture(platform::Picture::fromImage(reduced), rect);
}
