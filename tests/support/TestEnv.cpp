#include "TestEnv.h"

#include "ProgramFolder.h"
#include "Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TestEnv::TestEnv()
{
    platform::setProgramFolder(m_dir.path());
    platform::setSettingsFileForTests(m_dir.filePath(QStringLiteral("settings.ini")));
    platform::setCommandLineArguments({});
}

TestEnv::~TestEnv()
{
    platform::setProgramFolder(QString());
    platform::setSettingsFileForTests(QString());
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
