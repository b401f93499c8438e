#include "SysInfo.h"

#include "AppInfo.h"
#include "LangRuntime.h"
#include "RegistryReader.h"
#include "Settings.h"
#include "Shell.h"
#include "TextCodec.h"
#include "Ui.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

// What the value buffer holds; a longer value does not fit and is not read.
constexpr qsizetype kValueBufferSize = 1024;

const QString kMsinfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kToolsLocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");

QString registryProgram(RegistryReader& registry)
{
    QString value;
    if (GetKeyValue(registry, RegistryReader::HKEY_LOCAL_MACHINE, kMsinfoKey,
                    QStringLiteral("PATH"), value))
        return value;
    if (GetKeyValue(registry, RegistryReader::HKEY_LOCAL_MACHINE, kToolsLocationKey,
                    QStringLiteral("MSINFO"), value)) {
        const QString program = QDir(value).filePath(QStringLiteral("MSINFO32.EXE"));
        if (QFileInfo::exists(program))
            return program;
    }
    return QString();
}

} // namespace

bool GetKeyValue(RegistryReader& registry, quint32 KeyRoot, const QString& KeyName,
                 const QString& SubKeyRef, QString& KeyVal)
{
    RegistryReader::Handle key = 0;
    if (!registry.openKey(KeyRoot, KeyName, &key)) {
        KeyVal.clear();
        return false;
    }
    RegistryReader::Value value;
    if (!registry.queryValue(key, SubKeyRef, &value) || value.data.size() > kValueBufferSize) {
        KeyVal.clear();
        registry.closeKey(key);
        return false;
    }

    QByteArray data = value.data;
    if (!data.isEmpty() && data.back() == '\0')
        data.chop(1);

    if (value.type == RegistryReader::REG_SZ) {
        KeyVal = platform::decodeLine(data);
    } else if (value.type == RegistryReader::REG_DWORD) {
        QString hex = QStringLiteral("&h");
        for (qsizetype i = data.size() - 1; i >= 0; --i)
            hex += QString::number(quint8(data.at(i)), 16).toUpper();
        KeyVal = hex;
    }
    registry.closeKey(key);
    return true;
}

QStringList wellKnownSystemInformationPrograms()
{
    return {QStringLiteral("hardinfo"), QStringLiteral("hardinfo2"), QStringLiteral("kinfocenter"),
            QStringLiteral("cpu-x")};
}

QString SystemInformationProgram(RegistryReader& registry)
{
    const QString fromRegistry = registryProgram(registry);
    if (!fromRegistry.isEmpty())
        return fromRegistry;
    const QString configured =
        platform::GetSetting(platform::applicationTitle(), QStringLiteral("Preferences"),
                             QStringLiteral("SysInfo"))
            .trimmed();
    if (!configured.isEmpty())
        return configured;
    const QStringList names = wellKnownSystemInformationPrograms();
    for (const QString& name : names) {
        const QString found = QStandardPaths::findExecutable(name);
        if (!found.isEmpty())
            return found;
    }
    return QString();
}

// A named program is started without checking it first: whether it can run is only known
// by trying, and a failure gets the same message as no program at all.
void StartSysInfo(RegistryReader& registry)
{
    const QString program = SystemInformationProgram(registry);
    if (!program.isEmpty() && platform::startProgram(program, {}))
        return;
    platform::ui().messageBox(LangString(1210), platform::applicationTitle(),
                              platform::MsgButtons::Ok, platform::MsgIcon::None);
}
