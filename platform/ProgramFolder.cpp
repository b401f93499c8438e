#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QFileInfo>

namespace platform {
QString programFolder()
{
    return QCoreApplication::applicationDirPath();
}

QString programFile(const QString& name)
{
    return programFile(programFolder(), name);
}

QString programFile(const QString& folderPath, const QString& name)
{
    const QDir folder(folderPath);
    const QString beside = folder.filePath(name);
    if (QFileInfo::exists(beside))
        return beside;
    const QString installed = folder.filePath(QStringLiteral("../share/orvella/") + name);
    if (QFileInfo::exists(installed))
        return QDir::cleanPath(installed);
    return beside;
}

QStringList labelSheetFolders(const QString& programFolder)
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return {programFile(programFolder, QStringLiteral("labels")),
            data.isEmpty() ? QString() : QDir(data).filePath(QStringLiteral("ORVLA/ORVLA/labels"))};
}

QString programPath()
{
    return QCoreApplication::applicationFilePath();
}

QString commandLinePath(const QStringList& arguments)
{
    QStringList parts;
    for (const QString& arg : arguments) {
        if (!arg.startsWith(QLatin1String("/L="), Qt::CaseInsensitive))
            parts.append(arg);
    }
    return parts.join(QLatin1Char(' '));
}

} // namespace platform
