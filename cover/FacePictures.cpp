// Filling, clearing and editing the current face's picture.
#include "clsCover.h"

#include "AppInfo.h"
#include "AskFileName.h"
#include "CoverPrinting.h"
#include "CoverSetFile.h"
#include "CoverHost.h"
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
    if (m_host)
        m_host->ShowStatus(text);
}

void clsCover::InsertPicture()
{
    const QString path = AskFileName(OpenPicture);
    if (!path.isEmpty()) {
        const int position = Position();
        platform::BusyCursor busy;
        if (isFaceIndex(position) && m_frmCover) {
            const FaceInfo& face = kFaces[position];
            showStatus(LangString(face.loadingStatus) + filePicture(face.index));
            const platform::Picture picture = platform::Picture::fromFile(path);
            if (picture.isNull()) {
                // A file that is no picture changes nothing: not the face, not its path.
                platform::ui().messageBox(LangString(face.loadFailedMessage),
                                          platform::applicationTitle(),
                                          platform::MsgButtons::Ok, platform::MsgIcon::None);
                showStatus(QString());
                return;
            }
            const Face before = m_set.face(face.index);
            m_set.setFile(face.index, path);
            m_set.setPicture(face.index, picture, path);
            m_set.recordFaceChange(face.index, before);
        }
        m_set.setNeedSave(true);
    }
    showStatus(QString());
}

void clsCover::DeletePicture()
{
    {
        platform::BusyCursor busy;
        const Face before = m_set.face(Position());
        m_set.setFile(Position(), QString());
        m_set.clearPicture(Position());
        m_set.recordFaceChange(Position(), before);
    }
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

void clsCover::PrintCover()
{
    QWidget* parent = m_frmCover ? m_frmCover->window() : nullptr;
    printCoverSet(m_set, activeSetFinder(), parent, m_frmPrint);
}

void clsCover::PreviewCover()
{
    QWidget* parent = m_frmCover ? m_frmCover->window() : nullptr;
    previewCoverSet(m_set, activeSetFinder(), parent, m_frmPrint);
}

std::function<CoverSet*()> clsCover::activeSetFinder()
{
    // The print selection writes its choice into the active set (normally this one), and
    // this set prints with it.
    return [this]() -> CoverSet* {
        if (!m_host)
            return &m_set;
        const std::shared_ptr<clsCover> active = m_host->activeCover();
        return active ? &active->set() : nullptr;
    };
}
