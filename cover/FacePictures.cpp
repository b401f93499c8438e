// Filling, clearing and editing the current face's picture.
#include "clsCover.h"

#include "AppInfo.h"
#include "AskFileName.h"
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

namespace {

void showStatus(const QString& text)
{
    if (CoverHost* host = coverHost())
        host->ShowStatus(text);
}

} // namespace

void clsCover::InsertPicture()
{
    const QString path = AskFileName(OpenPicture);
    if (!path.isEmpty()) {
        frmMenu* window = m_frmCover.data();
        platform::BusyCursor busy;
        if (isFaceIndex(m_position) && window) {
            const FaceInfo& face = kFaces[m_position];
            showStatus(LangString(face.loadingStatus) + m_filePicture[face.index]);
            const platform::Picture picture = platform::Picture::fromFile(path);
            if (picture.isNull()) {
                // A file that is no picture changes nothing: not the face, not its path.
                platform::ui().messageBox(LangString(face.loadFailedMessage),
                                          platform::applicationTitle(),
                                          platform::MsgButtons::Ok, platform::MsgIcon::None);
                showStatus(QString());
                return;
            }
            m_filePicture[face.index] = path;
            window->imageArea(face.index)->setPicture(picture, path);
        }
        m_needSave = true;
    }
    showStatus(QString());
}

void clsCover::DeletePicture()
{
    {
        platform::BusyCursor busy;
        if (isFaceIndex(m_position)) {
            m_filePicture[m_position].clear();
            if (frmMenu* window = m_frmCover.data())
                window->imageArea(m_position)->clearPicture();
        }
    }
    m_needSave = true;
}

// Hands the current face's picture file to the external editor, or to the desktop's
// application for it. The program does not wait for either.
void clsCover::EditarObjeto()
{
    frmMenu* window = m_frmCover.data();
    if (!window || !isFaceIndex(m_position))
        return;
    const ImageArea* area = window->imageArea(m_position);
    window->pctLink()->setPixmap(area->screenCopy());
    const QString file = resolvePicturePath(m_fileCover, m_filePicture[m_position]);
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

namespace {
clsCover::PrintHandler g_printHandler;
}

void clsCover::setPrintHandler(PrintHandler handler)
{
    g_printHandler = std::move(handler);
}

void clsCover::PrintCover()
{
    if (g_printHandler)
        g_printHandler(*this);
}
