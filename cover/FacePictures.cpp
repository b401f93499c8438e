// Filling, clearing and editing the current face's picture.
#include "clsCover.h"

#include "AppInfo.h"
#include "AskFileName.h"
#include "CoverPrinting.h"
#include "CoverSetFile.h"
#include "PictureMessages.h"
#include "ImageArea.h"
#include "LangRuntime.h"
#include "Picture.h"
#include "Preferences.h"
#include "Shell.h"
#include "Ui.h"
#include "frmMenu.h"

#include <QFileInfo>
#include <QLabel>

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
