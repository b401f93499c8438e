#pragma once

#include "ForwardingTarget.h"

#include <QSize>

// Hands a JPEG photo on already reduced to the device pixels its rectangle covers, made in
// one pass without its full-size decode (LeanJpegDecoder); anything else goes on as it is.
class LeanPictureTarget final : public ForwardingTarget
{
public:
    // `dpi`: the resolution of the device under `target` (not owned).
    LeanPictureTarget(PrintTarget& target, int dpi);

    // The device pixels a picture drawn at `rect` (millimetres) takes at `dpi`, computed as
    // the page target computes them, bounded by what the picture has: a picture of that
    // size is drawn as it is and not scaled once more.
    static QSize devicePixels(const QRectF& rect, int dpi, const QSize& picture);

    bool drawPicture(const platform::Picture& picture, const QRectF& rect) override;

private:
    int m_dpi;
};
