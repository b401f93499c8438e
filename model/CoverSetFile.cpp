#include "CoverSetFile.h"

#include "PrivateProfile.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The profile reader's buffer for one path, as the file has always been read.
constexpr int kPathBuffer = 2048;

} // namespace

CoverSetPaths readCoverSetFile(const QString& path)
{
    const platform::ProfileFile file = platform::ProfileFile::load(path);
    CoverSetPaths paths;
    for (const FaceInfo& face : kFaces) {
        paths[face.index] = file.value(QStringLiteral("Files"), QString::fromLatin1(face.fileKey),
                                       QString(), kPathBuffer)
                                .trimmed();
    }
    return paths;
}

QString resolvePicturePath(const QString& setFile, const QString& picturePath)
{
    if (picturePath.isEmpty() || setFile.isEmpty() || QDir::isAbsolutePath(picturePath))
        return picturePath;
    return QDir::cleanPath(QFileInfo(setFile).absoluteDir().filePath(picturePath));
}

bool writeCoverSetFile(const QString& path, const CoverSetPaths& paths)
{
    QList<std::pair<QString, QString>> keys;
    for (const FaceInfo& face : kFaces)
        keys.append({QString::fromLatin1(face.fileKey), paths[face.index]});
    return platform::WritePrivateProfileStrings(QStringLiteral("Files"), keys, path);
}
