// Registering the cover-set file type with the desktop, in data and config homes of the
// test's own. The desktop's own tools read what was written: update-mime-database and a
// fresh QMimeDatabase, gio for the entry's command line and the default application.
#include "FileTypeRegistration.h"
#include "PrivateProfile.h"
#include "ScriptedUi.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <memory>

namespace {

const QString kType = QStringLiteral("application/x-orvla-document");
const QString kDefaults = QStringLiteral("Default Applications");
const QDateTime kLongAgo = QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6));

bool writeExecutable(const QString& path, const QByteArray& text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        return false;
    file.close();
    return file.setPermissions(file.permissions() | QFile::ExeOwner | QFile::ExeUser);
}

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Runs a program to its end; its standard output, or "" when it could not run.
QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000))
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class TestFileType : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_root;
    std::unique_ptr<QTemporaryDir> m_homes;
    QString m_log;

    QString data(const QString& name = QString()) const
    {
        return QDir::cleanPath(m_homes->filePath(QStringLiteral("data/") + name));
    }
    QString config(const QString& name = QString()) const
    {
        return QDir::cleanPath(m_homes->filePath(QStringLiteral("config/") + name));
    }
    QString package() const { return data(QStringLiteral("mime/packages/orvella-ovc.xml")); }
    QString entry() const { return data(QStringLiteral("applications/orvella.desktop")); }
    QString mimeApps() const { return config(QStringLiteral("mimeapps.list")); }

    // The desktop tools the registration started, one line each: name and arguments.
    QStringList toolsRun() const
    {
        if (!QFileInfo::exists(m_log))
            return {};
        QStringList lines =
            QString::fromUtf8(contentOf(m_log)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        lines.sort(); // they run side by side
        return lines;
    }
    QString mimeTool() const
    {
        return QStringLiteral("update-mime-database ") + data(QStringLiteral("mime"));
    }
    QString desktopTool() const
    {
        return QStringLiteral("update-desktop-database ") + data(QStringLiteral("applications"));
    }

    // A program that records its arguments, in a folder whose name needs every kind of
    // quoting an Exec line has.
    QString recordingProgram(const QString& record) const
    {
        const QString path = m_homes->filePath(
            QStringLiteral("my programs/$HOME \"quoted\" `tick` back\\slash it's/orvella"));
        writeExecutable(path,
                        "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > '" + record.toUtf8() + "'\n");
        return path;
    }

    void makeOld(const QStringList& paths) const
    {
        for (const QString& path : paths) {
            QFile file(path);
            if (file.open(QIODevice::ReadWrite))
                file.setFileTime(kLongAgo, QFileDevice::FileModificationTime);
        }
    }

    static QDateTime modified(const QString& path)
    {
        return QFileInfo(path).fileTime(QFileDevice::FileModificationTime);
    }

    // What a program started afresh learns about a file name from the MIME database.
    static QStringList mimeTypeSeenFor(const QString& fileName)
    {
        QProcess process;
        process.start(QCoreApplication::applicationFilePath(),
                      {QStringLiteral("--mime-type-of"), fileName});
        if (!process.waitForFinished(30000))
            return {};
        return QString::fromUtf8(process.readAllStandardOutput())
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private Q_SLOTS:
    void initTestCase()
    {
        // Stand-ins for the desktop tools first on the path: they do the real work and then
        // note their call.
        const QString tools = m_root.filePath(QStringLiteral("tools"));
        m_log = m_root.filePath(QStringLiteral("tools.log"));
        for (const char* name : {"update-mime-database", "update-desktop-database"}) {
            const QString tool = QString::fromLatin1(name);
            const QString real = QStandardPaths::findExecutable(tool);
            QByteArray script = "#!/bin/sh\nsleep \"${ORVELLA_TEST_TOOL_DELAY:-0}\"\n";
            if (!real.isEmpty())
                script += "'" + real.toUtf8() + "' \"$@\" > /dev/null 2>&1\n";
            script +=
                "printf '%s %s\\n' \"" + tool.toUtf8() + "\" \"$*\" >> '" + m_log.toUtf8() + "'\n";
            QVERIFY(writeExecutable(tools + QLatin1Char('/') + tool, script));
        }
        qputenv("PATH", tools.toUtf8() + ':' + qgetenv("PATH"));
    }

    void init()
    {
        m_homes = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", data().toUtf8());
        qputenv("XDG_CONFIG_HOME", config().toUtf8());
        QFile::remove(m_log);
    }

    void aFirstStartWritesTheThreeFiles()
    {
        ScriptedUi ui;
        RegisterFileType(QStringLiteral("OVC"), QStringLiteral("ORVLA"),
                         QStringLiteral("/opt/orvella/bin/orvella"));
        QVERIFY(ui.messages.isEmpty());

        const QString xml = QString::fromUtf8(contentOf(package()));
        QVERIFY2(xml.contains(QStringLiteral("<mime-type type=\"application/x-orvla-document\">")),
                 qPrintable(xml));
        QVERIFY(xml.contains(QStringLiteral("<comment>ORVLA Document</comment>")));
        QVERIFY(xml.contains(QStringLiteral("<glob pattern=\"*.ovc\"")));
        QVERIFY(xml.contains(QStringLiteral("<glob pattern=\"*.OVC\"")));

        const platform::ProfileFile desktop = platform::ProfileFile::load(entry());
        const QString group = QStringLiteral("Desktop Entry");
        auto value = [&](const char* key) {
            return desktop.value(group, QString::fromLatin1(key), QStringLiteral("<none>"), 4096);
        };
        QCOMPARE(value("Type"), QStringLiteral("Application"));
        QCOMPARE(value("Name"), QStringLiteral("Orvella"));
        QCOMPARE(value("Exec"), QStringLiteral("\"/opt/orvella/bin/orvella\" %f"));
        QCOMPARE(value("MimeType"), kType + QLatin1Char(';'));
        QCOMPARE(value("Icon"), QStringLiteral("orvella"));
        QCOMPARE(value("NoDisplay"), QStringLiteral("<none>"));
        // A per cent sign would start a field code. (GLib finds no program behind such an
        // entry, although it is written as the Desktop Entry rules say.)
        QCOMPARE(desktopExecArgument(QStringLiteral("/opt/100%/x")),
                 QStringLiteral("\"/opt/100%%/x\""));

        // The desktop's own line ends, or shell tools that read the list see a stray CR.
        QCOMPARE(
            contentOf(mimeApps()),
            QByteArray("[Default Applications]\napplication/x-orvla-document=orvella.desktop\n"));

        QTRY_COMPARE_WITH_TIMEOUT(toolsRun().size(), 2, 10000);
        QCOMPARE(toolsRun(), (QStringList{desktopTool(), mimeTool()}));
    }

    void theDesktopKnowsTheTypeAndItsDefault()
    {
        const QString record = m_homes->filePath(QStringLiteral("record.txt"));
        const QString program = recordingProgram(record);
        RegisterFileType(QStringLiteral("OVC"), QStringLiteral("ORVLA"), program);
        QTRY_COMPARE_WITH_TIMEOUT(toolsRun().size(), 2, 10000);

        if (QStandardPaths::findExecutable(QStringLiteral("update-mime-database")).isEmpty())
            QSKIP("update-mime-database is not installed");
        QProcess::execute(QStringLiteral("update-mime-database"), {data(QStringLiteral("mime"))});
        for (const char* name : {"x.ovc", "SET.OVC", "My Set.Ovc"}) {
            QCOMPARE(mimeTypeSeenFor(QString::fromLatin1(name)),
                     (QStringList{kType, QStringLiteral("ORVLA Document")}));
        }
        QVERIFY(mimeTypeSeenFor(QStringLiteral("x.ovcx")).value(0) != kType);

        const QString gio = QStandardPaths::findExecutable(QStringLiteral("gio"));
        if (gio.isEmpty())
            QSKIP("gio is not installed");
        QVERIFY(run(gio, {QStringLiteral("mime"), kType})
                    .contains(QStringLiteral(": orvella.desktop\n")));

        // The entry's command line, as the desktop splits it, reaches the program intact.
        const QString file = m_homes->filePath(QStringLiteral("my covers/a set.ovc"));
        run(gio, {QStringLiteral("launch"), entry(), file});
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(record), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(QString::fromUtf8(contentOf(record)),
                                  QStringLiteral("1\n") + file + QLatin1Char('\n'), 5000);

        const QString validate =
            QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
        if (!validate.isEmpty())
            QCOMPARE(QProcess::execute(validate, {entry()}), 0);
    }

    void aSecondStartWritesNothing()
    {
        const QString program = QStringLiteral("/opt/orvella/bin/orvella");
        RegisterFileType(QStringLiteral("OVC"), QStringLiteral("ORVLA"), program);
        QTRY_COMPARE_WITH_TIMEOUT(toolsRun().size(), 2, 10000);
        const QStringList files = {package(), entry(), mimeApps()};
        makeOld(files);
        QFile::remove(m_log);

        RegisterFileType(QStringLiteral("OVC"), QStringLiteral("ORVLA"), program);
        for (const QString& path : files)
            QCOMPARE(modified(path), kLongAgo);
        QTest::qWait(500);
        QVERIFY(toolsRun().isEmpty());
    }

    void aMovedProgramIsWhatTheEntryStarts()
    {
        RegisterFileType(QStringLiteral("OVC"), QStringLiteral("ORVLA"),
                         QStringLiteral("/opt/orvella/bin/orvella"));
        QTRY_COMPARE_WITH_TIMEOUT(toolsRun().size(), 2, 10000);
        makeOld({package(), entry(), mimeApps()});
        QFile::remove(m_log);

        RegisterFileType(QStringLiteral("OVC"), QStringLiteral("ORVLA"),
                         QStringLiteral("/home/me/new place/orvella"));
        const platform::ProfileFile desktop = platform::ProfileFile::load(entry());
        QCOMPARE(
            desktop.value(QStringLiteral("Desktop Entry"), QStringLiteral("Exec"), QString(), 4096),
            QStringLiteral("\"/home/me/new place/orvella\" %f"));
        QCOMPARE(modified(package()), kLongAgo);
        QCOMPARE(modified(mimeApps()), kLongAgo);
        QTRY_COMPARE_WITH_TIMEOUT(toolsRun(), QStringList{desktopTool()}, 10000);
    }

    // An installed program's package registers the type: a start writes no copy of its
    // own into the home (it would hide the installed entry and outlive the package), and
    // removes the copies an earlier start wrote for this same program; the default stays.
    void anInstalledProgramLeavesTheRegistrationToItsPackage()
    {
        const QString prefix = m_homes->filePath(QStringLiteral("usr"));
        const QString program = prefix + QStringLiteral("/bin/orvella");
        RegisterFileType(QStringLiteral("OVC"), QStringLiteral("ORVLA"), program);
        QVERIFY(QFileInfo::exists(entry()));
        QTRY_COMPARE_WITH_TIMEOUT(toolsRun().size(), 2, 10000);

        // The package is installed beside the program.
        QVERIFY(writeExecutable(prefix + QStringLiteral("/share/applications/orvella.desktop"),
                                "[Desktop Entry]\nExec=orvella %f\n"));
        QVERIFY(writeExecutable(prefix + QStringLiteral("/share/mime/packages/orvella.xml"),
                                "<mime-info/>\n"));
        QFile::remove(m_log);
        RegisterFileType(QStringLiteral("OVC"), QStringLiteral("ORVLA"), program);
        QVERIFY(!QFileInfo::exists(entry()));
        QVERIFY(!QFileInfo::exists(package()));
        QCOMPARE(
            contentOf(mimeApps()),
            QByteArray("[Default Applications]\napplication/x-orvla-document=orvella.desktop\n"));
        QTRY_COMPARE_WITH_TIMEOUT(toolsRun().size(), 2, 10000);

        // Another copy of the program (a build elsewhere) keeps its registration.
        QFile::remove(m_log);
        RegisterFileType(QStringLiteral("OVC"), QStringLiteral("ORVLA"),
                         QStringLiteral("/home/me/build/bin/orvella"));
        QVERIFY(QFileInfo::exists(entry()));
        QTRY_COMPARE_WITH_TIMEOUT(toolsRun().size(), 2, 10000);
        QFile::remove(m_log);
        RegisterFileType(QStringLiteral("OVC"), QStringLiteral("ORVLA"), program);
        QVERIFY(contentOf(entry()).contains("/home/me/build/bin/orvella"));
        QTRY_COMPARE_WITH_TIMEOUT(toolsRun().size(), 1, 10000);
        QTest::qWait(200);
        // The type's package names no program, so the installed one stands for it.
        QCOMPARE(toolsRun(), QStringList{mimeTool()});
        QVERIFY(!QFileInfo::exists(package()));
    }

    void anotherDefaultIsReplacedAndTheRestOfTheListKept()
    {
        QDir().mkpath(config());
        const QByteArray before = "[Added Associations]\r\nimage/png=gimp.desktop;\r\n\r\n"
                                  "[Default Applications]\r\n"
                                  "application/x-orvla-document=other.desktop\r\n"
                                  "text/plain=gedit.desktop\r\n";
        QVERIFY(writeExecutable(mimeApps(), before));
        RegisterFileType(QStringLiteral("OVC"), QStringLiteral("ORVLA"),
                         QStringLiteral("/opt/orvella/bin/orvella"));
        QByteArray after = before;
        after.replace("=other.desktop", "=orvella.desktop");
        QCOMPARE(contentOf(mimeApps()), after);
        QTRY_COMPARE_WITH_TIMEOUT(toolsRun().size(), 2, 10000);
    }

    void unwritableHomesChangeNothingAndSayNothing()
    {
        ScriptedUi ui;
        // Under a plain file no folder can be made, whoever runs the test.
        const QString blocker = m_homes->filePath(QStringLiteral("blocker"));
        QVERIFY(writeExecutable(blocker, "not a folder"));
        QDir().mkpath(config());
        const QByteArray list = "[Default Applications]\nimage/png=gimp.desktop\n";
        QVERIFY(writeExecutable(mimeApps(), list));
        qputenv("XDG_DATA_HOME", (blocker + QStringLiteral("/data")).toUtf8());

        RegisterFileType(QStringLiteral("OVC"), QStringLiteral("ORVLA"),
                         QStringLiteral("/opt/orvella/bin/orvella"));
        QCOMPARE(contentOf(mimeApps()), list);
        QVERIFY(!QFileInfo::exists(data()));

        // A config home that cannot be written leaves the data files done all the same.
        qputenv("XDG_DATA_HOME", data().toUtf8());
        qputenv("XDG_CONFIG_HOME", (blocker + QStringLiteral("/config")).toUtf8());
        RegisterFileType(QStringLiteral("OVC"), QStringLiteral("ORVLA"),
                         QStringLiteral("/opt/orvella/bin/orvella"));
        QVERIFY(QFileInfo::exists(entry()));
        QVERIFY(QFileInfo::exists(package()));
        QCOMPARE(contentOf(blocker), QByteArray("not a folder"));
        QVERIFY(ui.messages.isEmpty());
        QTRY_COMPARE_WITH_TIMEOUT(toolsRun().size(), 2, 10000);
    }

    void startUpDoesNotWaitForTheDesktopTools()
    {
        qputenv("ORVELLA_TEST_TOOL_DELAY", "3");
        QElapsedTimer timer;
        timer.start();
        RegisterFileType(QStringLiteral("OVC"), QStringLiteral("ORVLA"),
                         QStringLiteral("/opt/orvella/bin/orvella"));
        const qint64 took = timer.elapsed();
        qunsetenv("ORVELLA_TEST_TOOL_DELAY");
        QVERIFY2(took < 1500, qPrintable(QString::number(took)));
        QVERIFY2(toolsRun().isEmpty(), qPrintable(toolsRun().join(QLatin1Char('|'))));
        QTRY_COMPARE_WITH_TIMEOUT(toolsRun().size(), 2, 15000);
    }
};

int main(int argc, char* argv[])
{
    // A fresh process's view of the MIME database; the test's own has read it already.
    if (argc == 3 && qstrcmp(argv[1], "--mime-type-of") == 0) {
        QCoreApplication app(argc, argv);
        const QMimeType type = QMimeDatabase().mimeTypeForFile(QString::fromLocal8Bit(argv[2]),
                                                               QMimeDatabase::MatchExtension);
        std::printf("%s\n%s\n", qPrintable(type.name()), qPrintable(type.comment()));
        return 0;
    }
    QCoreApplication app(argc, argv);
    TestFileType test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_filetype.moc"
