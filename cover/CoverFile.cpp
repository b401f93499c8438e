// The cover-set file: Open and Save of a cover set.
#include "clsCover.h"

#include "AppInfo.h"
#include "AskFileName.h"
#include "CoverSetFile.h"
#include "LangRuntime.h"
#include "Ui.h"
#include "frmMenu.h"

#include <QDir>
#include <QFileInfo>

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
