#pragma once

#include "LazyPictureTarget.h"

class PreparedJpegs;

// Reads the face pictures as LazyPictureTarget does and hands each JPEG photo to
// PreparedJpegs, drawing its stand-in at once, so that the pages are laid out while the
// photos are decoded beside them. Pictures of other kinds go on as they are.
class DeferredJpegTarget final : public LazyPictureTarget
{
public:
    // `dpi`: the resolution of the device under `target`; `jobs` is not owned.
    DeferredJpegTarget(PrintTarget& target, const Pictures& standIns, const Files& files,
                       int dpi, PreparedJpegs& jobs);

protected:
    bool drawLoaded(int face, const platform::Picture& real, const QRectF& rect) override;

private:
    int m_dpi;
    PreparedJpegs& m_jobs;
};
