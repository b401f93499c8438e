#include "FileTypeRegistration.h"

#include "AppInfo.h"
#include "PrivateProfile.h"
#include "Shell.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

const QString kDefaults = QStringLiteral("Default Applications");

// Registration files are a few hundred bytes; anything far larger is not ours to compare.
constexpr qint64 kLargestCompared = 1024 * 1024;

// "ORVLA" -> application/x-orvla-document: the desktop's name for the type ORVLA.Document.
QString mimeTypeName(const QString& applicationTitle)
{
    QString name;
    for (const QChar c : applicationTitle.toLower()) {
        const bool plain = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                           (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
        name += plain ? c : QLatin1Char('-');
    }
    return QStringLiteral("application/x-") + name + QStringLiteral("-document");
}

QByteArray mimePackage(const QString& type, const QString& description, const QString& extension)
{
    const QString lower = extension.toLower().toHtmlEscaped();
    const QString upper = extension.toUpper().toHtmlEscaped();
    // The desktop matches a lower-case pattern in any case; the upper-case one stays listed
    // for tools that read the patterns as they are.
    QString xml =
        QStringLiteral(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
            "  <mime-type type=\"%1\">\n"
            "    <comment>%2</comment>\n"
            "    <glob pattern=\"*.%3\"/>\n")
            .arg(type.toHtmlEscaped(), description.toHtmlEscaped(), lower);
    if (upper != lower)
        xml += QStringLiteral("    <glob pattern=\"*.%1\" case-sensitive=\"true\"/>\n").arg(upper);
    xml += QStringLiteral("  </mime-type>\n</mime-info>\n");
    return xml.toUtf8();
}

QByteArray desktopEntry(const QString& type, const QString& programPath)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=%1\n"
                          "Exec=%2 %f\n"
                          "Icon=%3\n"
                          "MimeType=%4;\n"
                          "Categories=Graphics;\n"
                          "Terminal=false\n")
        .arg(platform::productName(), desktopExecArgument(programPath), platform::executableName(),
             type)
        .toUtf8();
}

// The user's default application for the type, keeping every other line of the list.
void setDefaultApplication(const QString& listPath, const QString& type, const QString& entryName)
{
    if (platform::GetPrivateProfileString(kDefaults, type, QString(), 1024, listPath) == entryName)
        return;
    CreateRegistryKey(listPath);
    if (QFileInfo(listPath).size() == 0) {
        // A list of our own starts with the desktop's line ends, not the profile writer's.
        SetRegistryValue(listPath,
                         QStringLiteral("[%1]\n%2=%3\n").arg(kDefaults, type, entryName).toUtf8());
        return;
    }
    platform::WritePrivateProfileString(kDefaults, type, entryName, listPath);
}

// Whether the program runs from an installed prefix (<prefix>/bin) whose package registers
// the type itself: the desktop entry and the MIME package under <prefix>/share.
bool packageRegisters(const QString& programPath, const QString& entryName)
{
    const QFileInfo program(programPath);
    if (program.absoluteDir().dirName() != QLatin1String("bin"))
        return false;
    const QString share = QDir::cleanPath(program.absolutePath() + QStringLiteral("/../share"));
    return QFileInfo::exists(share + QStringLiteral("/applications/") + entryName) &&
           QFileInfo::exists(share + QStringLiteral("/mime/packages/") +
                             platform::executableName() + QStringLiteral(".xml"));
}

// Removes a registration file this program wrote earlier, when it holds exactly what it
// would write now; anything else (another copy of the program, the user's own edits) stays.
bool removeOwnCopy(const QString& filePath, const QByteArray& content)
{
    const QFileInfo info(filePath);
    if (!info.isFile() || info.size() != content.size())
        return false;
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly) || file.readAll() != content)
        return false;
    file.close();
    return file.remove();
}

} // namespace

QString desktopExecArgument(const QString& argument)
{
    QString quoted = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        else if (c == QLatin1Char('%'))
            quoted += QLatin1Char('%'); // a literal per cent sign is no field code
        quoted += c;
    }
    quoted += QLatin1Char('"');
    // Exec is a string value as well, which has escapes of its own.
    QString value;
    for (const QChar c : quoted) {
        if (c == QLatin1Char('\\'))
            value += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            value += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            value += QStringLiteral("\\t");
        else if (c == QLatin1Char('\r'))
            value += QStringLiteral("\\r");
        else
            value += c;
    }
    return value;
}

void CreateRegistryKey(const QString& filePath)
{
    QDir().mkpath(QFileInfo(filePath).absolutePath());
}

bool SetRegistryValue(const QString& filePath, const QByteArray& content)
{
    const QFileInfo info(filePath);
    if (!info.absoluteDir().exists())
        return false;
    if (info.exists() && info.size() == content.size() && info.size() <= kLargestCompared) {
        QFile current(filePath);
        if (current.open(QIODevice::ReadOnly) && current.readAll() == content)
            return false;
    }
    QSaveFile file(filePath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(content);
    return file.commit();
}

void RegisterFileType(const QString& extension, const QString& applicationTitle,
                      const QString& programPath)
{
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString configHome =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (dataHome.isEmpty() || configHome.isEmpty() || extension.isEmpty())
        return;
    const QString type = mimeTypeName(applicationTitle);
    const QString mimeFolder = dataHome + QStringLiteral("/mime");
    const QString appsFolder = dataHome + QStringLiteral("/applications");

    // "." + extension names the type, and the type has its description.
    const QString package = mimeFolder + QStringLiteral("/packages/") + platform::executableName() +
                            QLatin1Char('-') + extension.toLower() + QStringLiteral(".xml");
    const QByteArray packageContent =
        mimePackage(type, applicationTitle + QStringLiteral(" Document"), extension);
    // The type's open command.
    const QString entryName = platform::executableName() + QStringLiteral(".desktop");
    const QString entry = appsFolder + QLatin1Char('/') + entryName;
    const QByteArray entryContent = desktopEntry(type, programPath);

    // An installed program's package registers the type for every user; a copy in the
    // user's home would hide the installed entry (its translations and description) and
    // outlive the package. Copies an earlier start wrote for this same program go.
    const bool installed = packageRegisters(programPath, entryName);
    bool typeChanged = false;
    bool commandChanged = false;
    if (installed) {
        typeChanged = removeOwnCopy(package, packageContent);
        commandChanged = removeOwnCopy(entry, entryContent);
    } else {
        CreateRegistryKey(package);
        typeChanged = SetRegistryValue(package, packageContent);
        CreateRegistryKey(entry);
        commandChanged = SetRegistryValue(entry, entryContent);
    }

    // Opening a file of the type runs that command; a default that names no entry would
    // only hide the desktop's own choice.
    if (installed || QFileInfo::exists(entry))
        setDefaultApplication(configHome + QStringLiteral("/mimeapps.list"), type, entryName);

    if (typeChanged)
        platform::startProgram(QStringLiteral("update-mime-database"), {mimeFolder});
    if (commandChanged)
        platform::startProgram(QStringLiteral("update-desktop-database"), {appsFolder});
}
