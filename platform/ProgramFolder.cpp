#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace platform {
namespace {

QString g_folder;

} // namespace

QString programFolder()
{
    if (!g_folder.isEmpty())
        return g_folder;
    return QCoreApplication::applicationDirPath();
}

void setProgramFolder(const QString& folder)
{
    g_folder = folder;
}

QString programFile(const QString& name)
{
    const QDir folder(programFolder());
    const QString beside = folder.filePath(name);
    if (QFileInfo::exists(beside))
        return beside;
    const QString installed = folder.filePath(QStringLiteral("../share/orvella/") + name);
    if (QFileInfo::exists(installed))
        return QDir::cleanPath(installed);
    return beside;
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
