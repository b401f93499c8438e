#include "clsCover.h"

#include "AppInfo.h"
#include "CoverHost.h"
#include "CoverSetFile.h"
#include "ImageArea.h"
#include "LangRuntime.h"
#include "Picture.h"
#include "Ui.h"
#include "frmMenu.h"

#include <QMdiArea>
#include <QtConcurrent/QtConcurrentMap>
#include <QMdiSubWindow>

std::shared_ptr<clsCover> clsCover::create(CoverHost* host)
{
    return std::shared_ptr<clsCover>(new clsCover(host));
}

void clsCover::NewCover()
{
    for (int face = 0; face < kFaceCount; ++face)
        setFilePicture(face, QString());
    setFileCover(QString());
    LoadFrmCover();
}

namespace {

// A document window inside the main window's document area, sized to its fixed client area.
frmMenu* createWindow(std::shared_ptr<clsCover> cover)
{
    CoverHost* host = cover->host();
    auto* window = new frmMenu(std::move(cover));
    QMdiArea* area = host ? host->documentArea() : nullptr;
    if (!area) {
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
        return window;
    }
    QMdiSubWindow* frame = area->addSubWindow(
        window, Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                    Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setWindowIcon(QIcon(QStringLiteral(":/icons/orvella-document.svg")));
    frame->show();
    frame->adjustSize();
    frame->setFixedSize(frame->size());
    return window;
}

} // namespace

namespace {

// A face's picture as loaded, with its screen copy made beside it.
struct LoadedFace
{
    QString path;     // as the set holds it
    QString location; // where that is
    QSize screenSize;
    platform::Picture picture;
    QImage screenCopy;
};

// The faces decode independently: loading them side by side lets every core help, which
// matters for camera photos.
void loadFaces(std::array<LoadedFace, kFaceCount>& faces)
{
    QtConcurrent::blockingMap(faces, [](LoadedFace& face) {
        if (face.path.isEmpty())
            return;
        face.picture = platform::Picture::fromFile(face.location);
        if (!face.picture.isNull() && !face.screenSize.isEmpty())
            face.screenCopy = face.picture.scaledImage(face.screenSize);
    });
}

} // namespace

// Shows the set's current state in its window, creating the window the first time.
void clsCover::LoadFrmCover()
{
    if (!m_frmCover)
        m_frmCover = createWindow(shared_from_this());
    frmMenu* window = m_frmCover.data();
    window->setWindowTitle(FileCover().isEmpty() ? LangString(1338) : FileCover());
    std::array<LoadedFace, kFaceCount> faces;
    for (const FaceInfo& face : kFaces) {
        faces[face.index].path = filePicture(face.index);
        faces[face.index].location = resolvePicturePath(FileCover(), filePicture(face.index));
        faces[face.index].screenSize = window->imageArea(face.index)->screenCopySize();
    }
    {
        platform::BusyCursor busy;
        loadFaces(faces);
    }
    for (const FaceInfo& face : kFaces) {
        ImageArea* area = window->imageArea(face.index);
        const LoadedFace& loaded = faces[face.index];
        if (loaded.path.isEmpty()) {
            area->clearPicture();
            continue;
        }
        if (loaded.picture.isNull()) {
            platform::ui().messageBox(LangString(face.loadFailedMessage),
                                      platform::applicationTitle(), platform::MsgButtons::Ok,
                                      platform::MsgIcon::None);
            area->clearPicture();
            continue;
        }
        area->setPicture(loaded.picture, loaded.path, loaded.screenCopy);
    }
    // What the file holds is where undoing stops.
    m_set.undoStack().clear();
    // The window was activated, and its commands judged, before its faces were filled.
    if (m_host && m_host->activeCover().get() == this)
        m_host->UpdateCommands(window, true);
}
