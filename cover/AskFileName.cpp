#include "AskFileName.h"

#include "AppInfo.h"
#include "LangRuntime.h"
#include "Picture.h"
#include "Ui.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kCoverSetFilter = QStringLiteral("All Cover Sets|*.OVC");
const QString kBitmapFilter = QStringLiteral("Bitmap files|*.bmp");

struct ModeInfo
{
    int title;
    bool save;
    QString filter;
    QString extension; // given to a saved name typed without one
};

ModeInfo modeInfo(qint16 mode)
{
    switch (mode) {
    case SaveCoverSet:
        return {1290, true, kCoverSetFilter, QStringLiteral("ovc")};
    case OpenPicture:
        return {1292, false, pictureFilter(), QString()};
    case SaveBitmap:
        return {1276, true, kBitmapFilter, QStringLiteral("bmp")};
    default:
        return {1290, false, kCoverSetFilter, QString()};
    }
}

void tell(int message, const QString& path)
{
    platform::ui().messageBox(LangString(message) + QStringLiteral("\r\n") + path,
                              platform::applicationTitle(), platform::MsgButtons::Ok,
                              platform::MsgIcon::Exclamation);
}

// Whether a name chosen in a save dialog can be used; asks before replacing a file.
bool acceptSaveName(const QString& path)
{
    const QFileInfo info(path);
    if (!info.absoluteDir().exists()) {
        tell(1372, info.absolutePath());
        return false;
    }
    if (!info.exists())
        return true;
    // Read-only: no write permission for us, or none for its owner (which even root keeps).
    if (info.isDir() || !info.isWritable() || !(info.permissions() & QFile::WriteOwner)) {
        tell(1370, path);
        return false;
    }
    return platform::ui().messageBox(LangString(1368) + QStringLiteral("\r\n") + path,
                                     platform::applicationTitle(), platform::MsgButtons::YesNo,
                                     platform::MsgIcon::Exclamation) == platform::MsgResult::Yes;
}

} // namespace

QString pictureFilter()
{
    QStringList patterns = {QStringLiteral("*.bmp"), QStringLiteral("*jpg"),
                            QStringLiteral("*.gif"), QStringLiteral("*.dib"),
                            QStringLiteral("*.wmf"), QStringLiteral("*.emf"),
                            QStringLiteral("*.ico"), QStringLiteral("*.cur")};
    const QStringList more = platform::pictureExtensions();
    for (const QString& ext : more) {
        const QString pattern = QStringLiteral("*.") + ext.toLower();
        if (!patterns.contains(pattern) && ext.toLower() != QLatin1String("jpg"))
            patterns.append(pattern);
    }
    return QStringLiteral("All image files|") + patterns.join(QLatin1Char(';'));
}

QString AskFileName(qint16 mode, const QString& titleSuffix)
{
    const ModeInfo info = modeInfo(mode);
    platform::FileDialogRequest request;
    request.kind = info.save ? platform::FileDialogRequest::Kind::Save
                             : platform::FileDialogRequest::Kind::Open;
    request.title = LangString(info.title) + titleSuffix;
    request.filter = info.filter;
    request.fileMustExist = !info.save;
    for (;;) {
        QString path = platform::ui().fileDialog(request);
        if (path.isEmpty())
            return QString();
        if (!info.save)
            return QFileInfo(path).isFile() ? path : QString();
        if (QFileInfo(path).suffix().isEmpty())
            path += QLatin1Char('.') + info.extension;
        if (acceptSaveName(path))
            return path;
        // Back to the dialog, as a refused name does in any file dialog.
        request.fileName = path;
    }
}
