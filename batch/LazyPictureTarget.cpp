#include "LazyPictureTarget.h"

#include <QImage>

LazyPictureTarget::LazyPictureTarget(PrintTarget& target, const Pictures& standIns,
                                     const Files& files)
    : ForwardingTarget(target), m_standIns(standIns), m_files(files)
{
}

LazyPictureTarget::Pictures LazyPictureTarget::makeStandIns(const Files& files)
{
    Pictures standIns;
    for (const FaceInfo& face : kFaces) {
        if (files[face.index].isEmpty())
            continue;
        QImage dot(1, 1, QImage::Format_RGB32);
        dot.fill(Qt::white);
        standIns[face.index] = platform::Picture::fromImage(dot);
    }
    return standIns;
}

bool LazyPictureTarget::drawPicture(const platform::Picture& picture, const QRectF& rect)
{
    for (const FaceInfo& face : kFaces) {
        if (picture.isNull() || !picture.sameAs(m_standIns[face.index]))
            continue;
        const platform::Picture real = platform::Picture::fromFile(m_files[face.index]);
        if (real.isNull()) {
            m_failedFace = face.index;
            return false;
        }
        return drawLoaded(face.index, real, rect);
    }
    return m_target.drawPicture(picture, rect);
}
