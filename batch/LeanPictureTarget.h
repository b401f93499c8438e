#pragma once

#include "ForwardingTarget.h"

// Hands a large JPEG photo on already reduced to the device pixels its rectangle covers,
// made without its full-size decode (LeanJpegDecoder); anything else goes on as it is.
class LeanPictureTarget final : public ForwardingTarget
{
public:
    // `dpi`: the resolution of the device under `target` (not owned).
    LeanPictureTarget(PrintTarget& target, int dpi);

    bool drawPicture(const platform::Picture& picture, const QRectF& rect) override;

private:
    int m_dpi;
};
