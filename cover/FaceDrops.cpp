// Files, pictures and other faces dropped on a face of a document window.
#include "frmMenu.h"

#include "CoverSetFile.h"
#include "Faces.h"
#include "ImageArea.h"
#include "Picture.h"
#include "clsCover.h"

#include <QMimeData>

void frmMenu::imageDropped(int face, const QMimeData* data, QObject* source)
{
    if (!isFaceIndex(face) || !m_cover)
        return;
    CoverSet& set = m_cover->set();

    // Another face's picture: the same picture, not its file.
    if (const auto* from = qobject_cast<const ImageArea*>(source)) {
        if (!from->objectName().startsWith(QLatin1String("img")))
            return;
        if (from != imageArea(face))
            set.changeFace(face, set.face(face).showing(from->picture()));
        set.setNeedSave(true);
        return;
    }

    const QString path = ImageArea::lastDroppedFile(data);
    if (isCoverSetFileName(path)) {
        // The window shows the dropped set instead; its own changes are offered first.
        if (!askToSaveChanges())
            return;
        m_cover->setFileCover(path);
        m_cover->LoadCover();
        m_cover->setNeedSave(false);
        return;
    }

    if (!path.isEmpty() && platform::isPictureFileName(path)) {
        m_cover->takePictureFile(face, path);
        return;
    }

    // Picture data with no file behind it (a browser's image): like a paste.
    const platform::Picture picture = platform::Picture::fromMimeData(data);
    if (!picture.isNull())
        set.changeFace(face, set.face(face).showing(picture));
}
