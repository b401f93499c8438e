#pragma once

#include "PrintTarget.h"

// Hands a large JPEG photo on already reduced to the device pixels its rectangle covers,
// made without its full-size decode (LeanJpegDecoder); anything else goes on as it is.
class LeanPictureTarget final : public PrintTarget
{
public:
    // `dpi`: the resolution of the device under `target` (not owned).
    LeanPictureTarget(PrintTarget& target, int dpi);

    bool setLandscape() override { return m_target.setLandscape(); }
    bool setMillimetres() override { return m_target.setMillimetres(); }
    bool printLine(const QString& text) override { return m_target.printLine(text); }
    bool drawPicture(const platform::Picture& picture, const QRectF& rect) override;
    bool drawFrame(const QRectF& rect) override { return m_target.drawFrame(rect); }
    bool endPage() override { return m_target.endPage(); }
    bool endJob() override { return m_target.endJob(); }

private:
    PrintTarget& m_target;
    int m_dpi;
};
