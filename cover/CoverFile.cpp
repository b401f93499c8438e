// The cover-set file: Open and Save of a cover set.
#include "clsCover.h"

#include "AppInfo.h"
#include "AskFileName.h"
#include "CoverSetFile.h"
#include "ImageArea.h"
#include "LangRuntime.h"
#include "PrivateProfile.h"
#include "Ui.h"
#include "frmMenu.h"

namespace {

const QString kFilesSection = QStringLiteral("Files");

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

} // namespace

void clsCover::LoadCover()
{
    const QString path = m_fileCover.isEmpty() ? AskFileName(OpenCoverSet) : m_fileCover;
    if (path.isEmpty())
        return;
    m_fileCover = path;
    const CoverSetPaths paths = readCoverSetFile(path);
    for (const FaceInfo& face : kFaces)
        m_filePicture[face.index] = paths[face.index];
    LoadFrmCover();
}

// Writes a face picture that has no file of its own (pasted, dragged, or shown over another
// file's path) to a bitmap file the user names. Returns false when it stays unsaved.
static bool savePictureOfFace(clsCover& cover, ImageArea* area, const FaceInfo& face)
{
    const QString path = AskFileName(SaveBitmap, titleSuffix(face));
    if (path.isEmpty())
        return false;
    bool written = false;
    {
        platform::BusyCursor busy;
        written = area->picture().save(path);
    }
    if (!written) {
        tellWriteFailed(1360, path);
        return false;
    }
    cover.setFilePicture(face.index, path);
    area->setPictureSource(path);
    return true;
}

void clsCover::SaveCover(qint16 PAI_Select)
{
    QString target = m_fileCover;
    if (target.isEmpty() || PAI_Select == 2) {
        // A cancelled Save As leaves the set as it was, file name and all.
        target = AskFileName(SaveCoverSet);
        if (target.isEmpty())
            return;
    }
    bool everyPictureSaved = true;
    if (frmMenu* window = m_frmCover.data()) {
        for (const FaceInfo& face : kFaces) {
            ImageArea* area = window->imageArea(face.index);
            const QString file = m_filePicture[face.index];
            const bool shownIsFile = !file.isEmpty() && area->pictureSource() == file;
            if (area->hasPicture() && !shownIsFile && !savePictureOfFace(*this, area, face))
                everyPictureSaved = false;
        }
    }
    QList<std::pair<QString, QString>> keys;
    for (const FaceInfo& face : kFaces)
        keys.append({QString::fromLatin1(face.fileKey), m_filePicture[face.index]});
    bool written = false;
    {
        platform::BusyCursor busy;
        written = platform::WritePrivateProfileStrings(kFilesSection, keys, target);
    }
    if (!written) {
        tellWriteFailed(1358, target);
        return;
    }
    m_fileCover = target;
    // A picture that still has no file keeps the set changed, so it is not lost unasked.
    m_needSave = !everyPictureSaved;
    if (frmMenu* window = m_frmCover.data())
        window->setWindowTitle(m_fileCover);
}
