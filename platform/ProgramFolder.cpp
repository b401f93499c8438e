#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace platform {
namespace {

QString g_folder;
QStringList g_args;
bool g_argsSet = false;

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

QStringList commandLineArguments()
{
    if (g_argsSet)
        return g_args;
    QStringList args = QCoreApplication::arguments();
    if (!args.isEmpty())
        args.removeFirst();
    return args;
}

void setCommandLineArguments(const QStringList& args)
{
    g_args = args;
    g_argsSet = true;
}

QString commandLine()
{
    return commandLineArguments().join(QLatin1Char(' '));
}

QString commandLinePath()
{
    QStringList parts;
    const QStringList args = commandLineArguments();
    for (const QString& arg : args) {
        if (!arg.startsWith(QLatin1String("/L="), Qt::CaseInsensitive))
            parts.append(arg);
    }
    return parts.join(QLatin1Char(' '));
}

} // namespace platform
