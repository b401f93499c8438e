#include "FaceClipboard.h"

#include "ImageArea.h"
#include "Picture.h"
#include "clsCover.h"

#include <QClipboard>
#include <QGuiApplication>

bool FaceClipboard::offersPicture()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return platform::Picture::mimeHasPicture(data) ||
           platform::isPictureFileName(ImageArea::lastDroppedFile(data));
}

void FaceClipboard::copy(const CoverSet& set)
{
    const Face& face = set.face(set.position());
    if (face.hasPicture())
        QGuiApplication::clipboard()->setMimeData(face.picture().toMimeData());
}

void FaceClipboard::paste(clsCover& cover)
{
    CoverSet& set = cover.set();
    const int position = set.position();
    if (isFaceIndex(position)) {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        const QString file = ImageArea::lastDroppedFile(data);
        if (!platform::Picture::mimeHasPicture(data) && platform::isPictureFileName(file)) {
            cover.takePictureFile(position, file);
            return;
        }
        const platform::Picture picture = platform::Picture::fromMimeData(data);
        if (!picture.isNull())
            set.changeFace(position, set.face(position).showing(picture));
    }
    set.setNeedSave(true);
}
