#include "DeferredJpegTarget.h"

#include "LeanPictureTarget.h"
#include "PreparedJpegs.h"

DeferredJpegTarget::DeferredJpegTarget(PrintTarget& target, const Pictures& standIns,
                                       const Files& files, int dpi, PreparedJpegs& jobs)
    : LazyPictureTarget(target, standIns, files), m_dpi(dpi), m_jobs(jobs)
{
}

bool DeferredJpegTarget::drawLoaded(int face, const platform::Picture& real, const QRectF& rect)
{
    if (rect.isEmpty() || !PreparedJpegs::canPrepare(real))
        return LazyPictureTarget::drawLoaded(face, real, rect);
    const platform::Picture standIn =
        m_jobs.prepare(face, file(face), LeanPictureTarget::devicePixels(rect, m_dpi, real.size()));
    if (standIn.isNull())
        return LazyPictureTarget::drawLoaded(face, real, rect);
    return m_target.drawPicture(standIn, rect);
}
