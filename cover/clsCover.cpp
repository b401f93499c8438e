#include "clsCover.h"

#include "AppInfo.h"
#include "AskFileName.h"
#include "CoverPrinting.h"
#include "CoverSetFile.h"
#include "ImageArea.h"
#include "LangRuntime.h"
#include "Picture.h"
#include "PictureMessages.h"
#include "Preferences.h"
#include "Shell.h"
#include "Ui.h"
#include "frmMenu.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QtConcurrent/QtConcurrentMap>

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
    QMdiSubWindow* frame =
        area->addSubWindow(window, Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
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

namespace {

void tellWriteFailed(int message, const QString& path)
{
    platform::ui().messageBox(LangString(message) + QStringLiteral("\r\n") + path,
                              platform::applicationTitle(), platform::MsgButtons::Ok,
                              platform::MsgIcon::Exclamation);
}

QString titleSuffix(const FaceInfo& face)
{
    return face.bitmapTitleSuffix != 0 ? LangString(face.bitmapTitleSuffix)
                                       : QString::fromLatin1(face.fixedTitleSuffix);
}

// Writes a face picture that has no file of its own (pasted, dragged, or shown over another
// file's path) to a bitmap file the user names. Returns false when it stays unsaved.
bool savePictureOfFace(CoverSet& set, const FaceInfo& face)
{
    const QString path = AskFileName(SaveBitmap, titleSuffix(face));
    if (path.isEmpty())
        return false;
    bool written = false;
    {
        platform::BusyCursor busy;
        written = set.face(face.index).picture().save(path);
    }
    if (!written) {
        tellWriteFailed(1360, path);
        return false;
    }
    set.pictureWritten(face.index, path);
    return true;
}

} // namespace

void clsCover::LoadCover()
{
    const QString path = FileCover().isEmpty() ? AskFileName(OpenCoverSet) : FileCover();
    if (path.isEmpty())
        return;
    m_set.readFile(path);
    LoadFrmCover();
}

void clsCover::SaveCover(qint16 PAI_Select)
{
    QString target = FileCover();
    if (target.isEmpty() || PAI_Select == 2) {
        // A cancelled Save As leaves the set as it was, file name and all.
        target = AskFileName(SaveCoverSet);
        if (target.isEmpty())
            return;
    }
    bool everyPictureSaved = true;
    for (const FaceInfo& face : kFaces) {
        const Face& shown = m_set.face(face.index);
        if (shown.hasPicture() && !shown.pictureIsFile() && !savePictureOfFace(m_set, face))
            everyPictureSaved = false;
    }
    bool written = false;
    {
        platform::BusyCursor busy;
        written = m_set.writeFile(target);
    }
    if (!written) {
        tellWriteFailed(1358, target);
        return;
    }
    // A picture that still has no file keeps the set changed, so it is not lost unasked.
    m_set.setNeedSave(!everyPictureSaved);
    if (frmMenu* window = m_frmCover.data())
        window->setWindowTitle(target);
}

void clsCover::showStatus(const QString& text) const
{
    if (m_frmCover)
        Q_EMIT m_frmCover->statusChanged(text);
}

bool clsCover::takePictureFile(int face, const QString& path)
{
    if (!isFaceIndex(face))
        return false;
    platform::Picture picture;
    {
        platform::BusyCursor busy;
        picture = platform::Picture::fromFile(path);
    }
    // A file that is no picture changes nothing: not the face, not its path.
    if (picture.isNull()) {
        tellPictureUnreadable(kFaces[face]);
        return false;
    }
    m_set.changeFace(face, m_set.face(face).takingFile(path, picture));
    return true;
}

void clsCover::InsertPicture()
{
    const QString path = AskFileName(OpenPicture);
    if (path.isEmpty())
        return;
    const int position = Position();
    if (isFaceIndex(position)) {
        showStatus(LangString(kFaces[position].loadingStatus) + filePicture(position));
        const bool taken = takePictureFile(position, path);
        showStatus(QString());
        if (!taken)
            return;
    }
    m_set.setNeedSave(true);
}

// The set counts as changed even when the face had nothing to delete.
void clsCover::DeletePicture()
{
    m_set.changeFace(Position(), Face());
    m_set.setNeedSave(true);
}

// Hands the current face's picture file to the external editor, or to the desktop's
// application for it. The program does not wait for either.
void clsCover::EditarObjeto()
{
    frmMenu* window = m_frmCover.data();
    const int position = Position();
    if (!window || !isFaceIndex(position))
        return;
    const ImageArea* area = window->imageArea(position);
    window->pctLink()->setPixmap(area->screenCopy());
    const QString file = resolvePicturePath(FileCover(), filePicture(position));
    if (!area->hasPicture()) {
        platform::ui().messageBox(LangString(1356), platform::fileDescription(),
                                  platform::MsgButtons::Ok, platform::MsgIcon::Critical);
        return;
    }
    const QString editor = platform::editorPath();
    if (editor.isEmpty()) {
        // Always a file: a relative path the shell cannot find must not become a web address.
        if (!file.isEmpty())
            platform::openDocument(QFileInfo(file).absoluteFilePath());
        return;
    }
    // The path is one argument, blanks and all.
    platform::startProgram(editor, file.isEmpty() ? QStringList() : QStringList{file});
}

void clsCover::PrintCover(const ActiveSet& activeSet, const PrintTargetFactory& printTo)
{
    QWidget* parent = m_frmCover ? m_frmCover->window() : nullptr;
    printCoverSet(m_set, activeSetOr(activeSet), parent, m_frmPrint, printTo);
}

void clsCover::PreviewCover(const ActiveSet& activeSet)
{
    QWidget* parent = m_frmCover ? m_frmCover->window() : nullptr;
    previewCoverSet(m_set, activeSetOr(activeSet), parent, m_frmPrint);
}

clsCover::ActiveSet clsCover::activeSetOr(const ActiveSet& given)
{
    if (given)
        return given;
    return [this]() -> CoverSet* { return &m_set; };
}
