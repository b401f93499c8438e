#include "CoverSetFile.h"

#include "PrivateProfile.h"
#include "TextBlockFile.h"

#include <QDir>
#include <QFile>
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

CoverSetTexts readCoverSetTexts(const QString& path)
{
    const platform::ProfileFile file = platform::ProfileFile::load(path);
    const DiscShape cd = DiscShape::read(file);
    CoverSetTexts texts;
    for (const FaceInfo& face : kFaces) {
        const QSizeF size = face.index == kCdFace && cd.round
                                ? cd.square().size()
                                : QSizeF(face.widthMm, face.heightMm);
        texts[face.index] = TextBlockFile::read(file, face, size);
    }
    return texts;
}

DiscShape readCoverSetShape(const QString& path)
{
    return DiscShape::read(platform::ProfileFile::load(path));
}

bool holdsCoverSet(const QString& path)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || file.size() > platform::ProfileFile::MaxFileBytes ||
        !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.read(platform::ProfileFile::MaxFileBytes + 1);
    if (bytes.size() > platform::ProfileFile::MaxFileBytes || bytes.contains('\0'))
        return false;
    return platform::ProfileFile::parse(bytes).hasSection(QStringLiteral("Files"));
}

QString resolvePicturePath(const QString& setFile, const QString& picturePath)
{
    if (picturePath.isEmpty() || setFile.isEmpty() || QDir::isAbsolutePath(picturePath))
        return picturePath;
    return QDir::cleanPath(QFileInfo(setFile).absoluteDir().filePath(picturePath));
}

QString relocatePicturePath(const QString& fromSet, const QString& toSet,
                            const QString& picturePath)
{
    if (picturePath.isEmpty())
        return picturePath;
    // A set never saved read its relative paths from the working folder.
    const QString picture = QFileInfo(resolvePicturePath(fromSet, picturePath)).absoluteFilePath();
    const QString relative = QFileInfo(toSet).absoluteDir().relativeFilePath(picture);
    if (QDir::isAbsolutePath(relative) || relative == QLatin1String("..") ||
        relative.startsWith(QLatin1String("../")))
        return QDir::cleanPath(picture);
    return relative;
}

bool writeCoverSetFile(const QString& path, const CoverSetPaths& paths,
                       const CoverSetTexts& texts, const DiscShape& cdShape)
{
    QList<std::pair<QString, QString>> keys;
    for (const FaceInfo& face : kFaces)
        keys.append({QString::fromLatin1(face.fileKey), paths[face.index]});
    const platform::ProfileFile existing = platform::ProfileFile::load(path);
    QList<platform::ProfileSectionEdit> textEdits;
    for (const FaceInfo& face : kFaces)
        textEdits += TextBlockFile::edits(existing, face, texts[face.index]);
    // A rectangle is what a set without the section holds: nothing to write then.
    if (cdShape.round || existing.hasSection(DiscShape::edit(cdShape).section))
        textEdits.append(DiscShape::edit(cdShape));
    if (textEdits.isEmpty())
        return platform::WritePrivateProfileStrings(QStringLiteral("Files"), keys, path);
    textEdits.prepend({QStringLiteral("Files"), keys, false});
    return platform::WritePrivateProfileSections(textEdits, path);
}
