// Files, pictures and other faces dropped on a face of a document window.
#include "frmMenu.h"

#include "AppInfo.h"
#include "CoverHost.h"
#include "CoverSetFile.h"
#include "Faces.h"
#include "ImageArea.h"
#include "LangRuntime.h"
#include "Picture.h"
#include "Ui.h"
#include "clsCover.h"

#include <QMimeData>

namespace {

void enableCommands(frmMenu* window)
{
    if (CoverHost* host = window->Cover() ? window->Cover()->host() : nullptr)
        host->UpdateCommands(window, true);
}

} // namespace

bool frmMenu::takePictureFile(int face, const QString& path)
{
    ImageArea* target = imageArea(face);
    if (!target || !m_cover)
        return false;
    platform::Picture picture;
    {
        platform::BusyCursor busy;
        picture = platform::Picture::fromFile(path);
    }
    if (picture.isNull()) {
        platform::ui().messageBox(LangString(kFaces[face].loadFailedMessage),
                                  platform::applicationTitle(), platform::MsgButtons::Ok,
                                  platform::MsgIcon::None);
        return false;
    }
    const Face before = m_cover->set().face(face);
    target->setPicture(picture, path);
    m_cover->setFilePicture(face, path);
    m_cover->set().recordFaceChange(face, before);
    m_cover->setNeedSave(true);
    enableCommands(this);
    return true;
}

void frmMenu::imageDropped(int face, const QMimeData* data, QObject* source)
{
    ImageArea* target = imageArea(face);
    if (!target || !m_cover)
        return;

    // Another face's picture: the same picture, not its file.
    if (const auto* from = qobject_cast<const ImageArea*>(source)) {
        if (!from->objectName().startsWith(QLatin1String("img")))
            return;
        if (from != target) {
            const Face before = m_cover->set().face(face);
            target->setPicture(from->picture());
            m_cover->set().recordFaceChange(face, before);
        }
        m_cover->setNeedSave(true);
        enableCommands(this);
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
        enableCommands(this);
        return;
    }

    if (!path.isEmpty() && platform::isPictureFileName(path)) {
        takePictureFile(face, path);
        return;
    }

    // Picture data with no file behind it (a browser's image): like a paste.
    const platform::Picture picture = platform::Picture::fromMimeData(data);
    if (picture.isNull())
        return;
    const Face before = m_cover->set().face(face);
    target->setPicture(picture);
    m_cover->set().recordFaceChange(face, before);
    m_cover->setNeedSave(true);
    enableCommands(this);
}
