#include "Shell.h"

#include "Ui.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace platform {

bool openDocument(const QString& target)
{
    if (target.isEmpty())
        return false;
    QUrl url;
    if (QDir::isAbsolutePath(target) || QFileInfo::exists(target))
        url = QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
    else
        url = QUrl::fromUserInput(target);
    if (!url.isValid())
        return false;
    return QDesktopServices::openUrl(url);
}

void OpenWithShell(const QString& target)
{
    BusyCursor busy;
    openDocument(target);
}

bool startProgram(const QString& program, const QStringList& arguments)
{
    if (program.isEmpty())
        return false;
    return QProcess::startDetached(program, arguments);
}

} // namespace platform
