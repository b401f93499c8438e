#include "AppInfo.h"
#include "LangRuntime.h"
#include "RegistryReader.h"
#include "ScriptedUi.h"
#include "Settings.h"
#include "ShellCommands.h"
#include "SysInfo.h"
#include "LangTestEnv.h"
#include "frmAbout.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <memory>

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

namespace {

const QString kKey1 = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kKey2 = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");

QByteArray dword(quint32 n)
{
    QByteArray bytes;
    for (int i = 0; i < 4; ++i)
        bytes.append(char((n >> (8 * i)) & 0xFF));
    return bytes;
}

// A registry with the keys a test puts in; it counts open and closed keys.
class FakeRegistry final : public RegistryReader
{
public:

    void set(const QString& key, const QString& name, quint32 type, const QByteArray& data)
    {
        m_keys[key.toLower()][name.toLower()] = {type, data};
    }

    bool openKey(quint32 root, const QString& keyName, Handle* key) override
    {
        if (root != HKEY_LOCAL_MACHINE || !m_keys.contains(keyName.toLower()))
            return false;
        m_open.append(keyName.toLower());
        *key = Handle(m_open.size());
        ++opened;
        return true;
    }
    bool queryValue(Handle key, const QString& valueName, Value* value) override
    {
        const auto& values = m_keys[m_open.at(int(key) - 1)];
        if (!values.contains(valueName.toLower()))
            return false;
        *value = values.value(valueName.toLower());
        return true;
    }
    void closeKey(Handle) override { ++closed; }

    int opened = 0;
    int closed = 0;

private:
    QHash<QString, QHash<QString, Value>> m_keys;
    QStringList m_open;
};

bool writeScript(const QString& path, const QString& marker)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("#!/bin/sh\necho started > '" + marker.toUtf8() + "'\n");
    file.close();
    return file.setPermissions(file.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
}

} // namespace

class TestShellAbout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void aboutBox();

    void getKeyValue_data();
    void getKeyValue();
    void getKeyValueFailures();

    void sysInfoFoundOnPath();
    void sysInfoMissing();
    void sysInfoConfiguredPath();
    void sysInfoFromRegistry();

private:
    QString bin(const QString& name = QString()) const
    {
        return m_env->path(QStringLiteral("bin/") + name);
    }
    void expectSysInfoMessage();

    std::unique_ptr<LangTestEnv> m_env;
    std::unique_ptr<ScriptedUi> m_ui;
    QByteArray m_path;
};

void TestShellAbout::initTestCase()
{
    m_path = qgetenv("PATH");
}

void TestShellAbout::cleanupTestCase()
{
    qputenv("PATH", m_path);
}

void TestShellAbout::init()
{
    m_env = std::make_unique<LangTestEnv>(2);
    QVERIFY(QDir().mkpath(bin()));
    // Only the test's own programs can be found.
    qputenv("PATH", QFile::encodeName(bin()));
    m_ui = std::make_unique<ScriptedUi>();
}

void TestShellAbout::cleanup()
{
    // Checked after the reset, so that a failure here does not spill into the next test.
    const bool scriptDone = m_ui->scriptDone();
    m_ui.reset();
    lang::LangRuntime::instance().reset();
    m_env.reset();
    QVERIFY2(scriptDone, "a scripted answer was not asked for");
}

void TestShellAbout::aboutBox()
{
    QStringList seen;
    m_ui->answerDialog([&seen](QDialog* dialog) {
        auto* about = qobject_cast<frmAbout*>(dialog);
        if (!about)
            return -1;
        seen = {about->windowTitle(),       about->lblVersion()->text(),
                about->lblTitle()->text(),  about->lblDescription()->text(),
                about->Label1()->text(),    about->lblDisclaimer()->text(),
                about->cmdSysInfo()->text()};
        about->cmdOK()->click();
        return about->result();
    });
    showAbout(nullptr);
    QCOMPARE(m_ui->dialogsShown, 1);
    QCOMPARE(seen, (QStringList{QStringLiteral("About ORVLA"), QStringLiteral("Version 3.5.5"),
                                QStringLiteral("Orvella"), LangString(1132), LangString(1320),
                                LangString(1346), LangString(1094)}));
}

void TestShellAbout::getKeyValue_data()
{
    QTest::addColumn<quint32>("type");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("expected");
    const quint32 sz = RegistryReader::REG_SZ;
    const quint32 num = RegistryReader::REG_DWORD;
    QTest::newRow("string with its NUL")
        << sz << QByteArray("C:\\Tools\\info.exe", 18) << "C:\\Tools\\info.exe";
    QTest::newRow("string without NUL") << sz << QByteArray("C:\\x") << "C:\\x";
    QTest::newRow("only the last NUL goes")
        << sz << QByteArray("ab\0\0", 4) << QString::fromLatin1("ab\0", 3);
    QTest::newRow("empty string") << sz << QByteArray("", 1) << "";
    QTest::newRow("number, all bytes") << num << dword(0x1A2B3C4D) << "&h1A2B3C4D";
    QTest::newRow("bytes without leading zeros") << num << dword(0x01020304) << "&h1234";
    QTest::newRow("high zero byte counts as NUL") << num << dword(0x00AB0C10) << "&hABC10";
    QTest::newRow("small number") << num << dword(0x1F) << "&h001F";
    QTest::newRow("all ones") << num << dword(0xFFFFFFFF) << "&hFFFFFFFF";
    QTest::newRow("other type keeps the old text")
        << quint32(3) << QByteArray("\x01\x02") << "before";
}

void TestShellAbout::getKeyValue()
{
    QFETCH(quint32, type);
    QFETCH(QByteArray, data);
    FakeRegistry registry;
    registry.set(kKey1, QStringLiteral("PATH"), type, data);
    QString value = QStringLiteral("before");
    QVERIFY(GetKeyValue(registry, RegistryReader::HKEY_LOCAL_MACHINE, kKey1, QStringLiteral("PATH"), value));
    QTEST(value, "expected");
    QCOMPARE(registry.closed, registry.opened);
}

void TestShellAbout::getKeyValueFailures()
{
    FakeRegistry registry;
    registry.set(kKey1, QStringLiteral("PATH"), RegistryReader::REG_SZ, QByteArray(1025, 'x'));
    registry.set(kKey1, QStringLiteral("FITS"), RegistryReader::REG_SZ, QByteArray(1024, 'x'));
    QString value = QStringLiteral("before");

    QVERIFY(
        !GetKeyValue(registry, RegistryReader::HKEY_LOCAL_MACHINE, kKey2, QStringLiteral("MSINFO"), value));
    QCOMPARE(value, QString());
    value = QStringLiteral("before");
    QVERIFY(!GetKeyValue(registry, RegistryReader::HKEY_LOCAL_MACHINE, kKey1, QStringLiteral("NONE"), value));
    QCOMPARE(value, QString());
    value = QStringLiteral("before");
    QVERIFY(!GetKeyValue(registry, RegistryReader::HKEY_LOCAL_MACHINE, kKey1, QStringLiteral("PATH"), value));
    QCOMPARE(value, QString());
    QVERIFY(GetKeyValue(registry, RegistryReader::HKEY_LOCAL_MACHINE, kKey1, QStringLiteral("FITS"), value));
    QCOMPARE(value.size(), 1024);
    QCOMPARE(registry.closed, registry.opened);

    // The program's own reader: this platform has no registry.
    NoRegistry none;
    QVERIFY(!GetKeyValue(none, RegistryReader::HKEY_LOCAL_MACHINE, kKey1, QStringLiteral("PATH"), value));
}

void TestShellAbout::expectSysInfoMessage()
{
    QCOMPARE(m_ui->messages.size(), 1);
    const ScriptedUi::Message told = m_ui->messages.constFirst();
    QCOMPARE(told.text, LangString(1210));
    QCOMPARE(told.title, platform::applicationTitle());
    QCOMPARE(told.buttons, MsgButtons::Ok);
}

void TestShellAbout::sysInfoFoundOnPath()
{
    const QString marker = m_env->path(QStringLiteral("started"));
    QVERIFY(writeScript(bin(QStringLiteral("hardinfo2")), marker));
    NoRegistry none;
    QCOMPARE(SystemInformationProgram(none), bin(QStringLiteral("hardinfo2")));
    StartSysInfo(none);
    QTRY_VERIFY(QFile::exists(marker));
    QVERIFY(m_ui->messages.isEmpty());
}

void TestShellAbout::sysInfoMissing()
{
    // A file of the right name that cannot be run is no program either.
    QFile notRunnable(bin(QStringLiteral("kinfocenter")));
    QVERIFY(notRunnable.open(QIODevice::WriteOnly));
    notRunnable.close();
    NoRegistry none;
    QCOMPARE(SystemInformationProgram(none), QString());
    // The about box's button; the box stays open.
    frmAbout about;
    about.show();
    m_ui->answerMessage(MsgResult::Ok);
    about.cmdSysInfo()->click();
    expectSysInfoMessage();
    QVERIFY(about.isVisible());
}

void TestShellAbout::sysInfoConfiguredPath()
{
    const QString configured = m_env->path(QStringLiteral("elsewhere/info"));
    QVERIFY(QDir().mkpath(m_env->path(QStringLiteral("elsewhere"))));
    const QString marker = m_env->path(QStringLiteral("configured"));
    QVERIFY(writeScript(configured, marker));
    QVERIFY(writeScript(bin(QStringLiteral("hardinfo")), m_env->path(QStringLiteral("path"))));
    platform::SaveSetting(QStringLiteral("ORVLA"), QStringLiteral("Preferences"),
                          QStringLiteral("SysInfo"), configured);
    NoRegistry none;
    QCOMPARE(SystemInformationProgram(none), configured);
    StartSysInfo(none);
    QTRY_VERIFY(QFile::exists(marker));

    // A configured program that cannot start is said, not replaced by another.
    platform::SaveSetting(QStringLiteral("ORVLA"), QStringLiteral("Preferences"),
                          QStringLiteral("SysInfo"), m_env->path(QStringLiteral("gone")));
    m_ui->answerMessage(MsgResult::Ok);
    StartSysInfo(none);
    expectSysInfoMessage();
}

void TestShellAbout::sysInfoFromRegistry()
{
    FakeRegistry registry;
    // Key 2 names a folder without the program: nothing to start.
    registry.set(kKey2, QStringLiteral("MSINFO"), RegistryReader::REG_SZ,
                 QFile::encodeName(m_env->folder()) + '\0');
    QCOMPARE(SystemInformationProgram(registry), QString());
    m_ui->answerMessage(MsgResult::Ok);
    StartSysInfo(registry);
    expectSysInfoMessage();

    // With the program in that folder, it is the one.
    const QString marker2 = m_env->path(QStringLiteral("msinfo32"));
    QVERIFY(writeScript(m_env->path(QStringLiteral("MSINFO32.EXE")), marker2));
    QCOMPARE(SystemInformationProgram(registry), m_env->path(QStringLiteral("MSINFO32.EXE")));
    StartSysInfo(registry);
    QTRY_VERIFY(QFile::exists(marker2));

    // Key 1's path wins, and is started without being looked for first.
    const QString marker1 = m_env->path(QStringLiteral("key1"));
    QVERIFY(writeScript(m_env->path(QStringLiteral("key1info")), marker1));
    registry.set(kKey1, QStringLiteral("PATH"), RegistryReader::REG_SZ,
                 QFile::encodeName(m_env->path(QStringLiteral("key1info"))) + '\0');
    StartSysInfo(registry);
    QTRY_VERIFY(QFile::exists(marker1));
    registry.set(kKey1, QStringLiteral("PATH"), RegistryReader::REG_SZ,
                 QFile::encodeName(m_env->path(QStringLiteral("absent"))) + '\0');
    m_ui->messages.clear();
    m_ui->answerMessage(MsgResult::Ok);
    StartSysInfo(registry);
    expectSysInfoMessage();
}

QTEST_MAIN(TestShellAbout)
#include "tst_shell_about.moc"
