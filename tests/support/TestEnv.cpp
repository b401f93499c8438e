#include "TestEnv.h"

#include "LangRuntime.h"
#include "ProgramFolder.h"
#include "Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TestEnv::TestEnv()
    : m_oldDataHome(qgetenv("XDG_DATA_HOME")), m_oldConfigHome(qgetenv("XDG_CONFIG_HOME"))
{
    // Whatever the program registers or keeps per user stays in the test's folder.
    QDir(m_dir.path()).mkpath(QStringLiteral("xdg/data"));
    QDir(m_dir.path()).mkpath(QStringLiteral("xdg/config"));
    qputenv("XDG_DATA_HOME", m_dir.filePath(QStringLiteral("xdg/data")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("xdg/config")).toLocal8Bit());
    lang::LangRuntime::instance().setDatabase(m_dir.filePath(QStringLiteral("Spoken.DBF")));
    platform::setSettingsFileForTests(m_dir.filePath(QStringLiteral("settings.ini")));
}

TestEnv::~TestEnv()
{
    restore("XDG_DATA_HOME", m_oldDataHome);
    restore("XDG_CONFIG_HOME", m_oldConfigHome);
    lang::LangRuntime::instance().setDatabase(QString());
    platform::setSettingsFileForTests(QString());
}

void TestEnv::restore(const char* name, const QByteArray& value)
{
    if (value.isEmpty())
        qunsetenv(name);
    else
        qputenv(name, value);
}

void TestEnv::installShippedDatabase() const
{
    QFile::copy(QStringLiteral(ORVELLA_SOURCE_DIR "/resources/Spoken.DBF"),
                m_dir.filePath(QStringLiteral("Spoken.DBF")));
}

QString TestEnv::writeFile(const QString& name, const QByteArray& bytes) const
{
    const QString p = m_dir.filePath(name);
    QDir().mkpath(QFileInfo(p).absolutePath());
    QFile f(p);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return p;
}
