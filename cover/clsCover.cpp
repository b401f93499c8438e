#include "clsCover.h"

#include "AppInfo.h"
#include "CoverSetFile.h"
#include "ImageArea.h"
#include "LangRuntime.h"
#include "Picture.h"
#include "Ui.h"
#include "frmMenu.h"
#include "PictureMessages.h"

#include <QMdiArea>
#include <QtConcurrent/QtConcurrentMap>
#include <QMdiSubWindow>

std::shared_ptr<clsCover> clsCover::create(QMdiArea* area)
{
    return std::shared_ptr<clsCover>(new clsCover(area));
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
frmMenu* createWindow(std::shared_ptr<clsCover> cover, QMdiArea* area)
{
    auto* window = new frmMenu(std::move(cover));
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
        m_frmCover = createWindow(shared_from_this(), m_area);
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
        if (!loaded.path.isEmpty() && loaded.picture.isNull())
            tellPictureUnreadable(face);
        area->keepScreenCopy(loaded.picture, loaded.screenCopy);
        m_set.setPicture(face.index, loaded.picture, loaded.path);
    }
    // What the file holds is where undoing stops.
    m_set.undoStack().clear();
}
