// The build installed into a prefix of the test's own, as cmake --install lays it out for
// a package: every file in its place, the installed programs run from there and find their
// own files under share/, and what the desktop reads agrees with the registration the
// program writes for a user at every start.
#include "AppInfo.h"
#include "FileTypeRegistration.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run
{
    int exitCode = -1;
    bool finished = false;
    QByteArray out;
    QByteArray err;
};

QByteArray contentOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The keys of a desktop entry's main group.
QMap<QString, QString> desktopEntryKeys(const QString& path)
{
    QMap<QString, QString> keys;
    bool inMain = false;
    const QList<QByteArray> lines = contentOf(path).split('\n');
    for (const QByteArray& raw : lines) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inMain = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (inMain && eq > 0)
            keys.insert(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
    }
    return keys;
}

} // namespace

class TestInstall : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_prefix;
    QTemporaryDir m_work;
    QProcessEnvironment m_env;

    QString installed(const QString& relative) const { return m_prefix.filePath(relative); }

    // No display of any kind, and a home of the test's own so nothing the machine's user
    // saved (a language, a registration) plays a part.
    Run run(const QString& program, const QStringList& arguments) const
    {
        QProcess process;
        process.setProcessEnvironment(m_env);
        process.setWorkingDirectory(m_work.path());
        process.start(program, arguments);
        Run result;
        result.finished = process.waitForFinished(120000);
        if (!result.finished)
            process.kill();
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out = process.readAllStandardOutput();
        result.err = process.readAllStandardError();
        return result;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_prefix.isValid() && m_work.isValid());
        QDir(m_work.path()).mkpath(QStringLiteral("home/.config"));
        QDir(m_work.path()).mkpath(QStringLiteral("home/.local/share"));
        m_env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            m_env.remove(QString::fromLatin1(name));
        m_env.insert(QStringLiteral("HOME"), m_work.filePath(QStringLiteral("home")));
        m_env.insert(QStringLiteral("XDG_CONFIG_HOME"),
                     m_work.filePath(QStringLiteral("home/.config")));
        m_env.insert(QStringLiteral("XDG_DATA_HOME"),
                     m_work.filePath(QStringLiteral("home/.local/share")));

        const Run install = run(QStringLiteral(ORVELLA_CMAKE),
                                {QStringLiteral("--install"), QStringLiteral(ORVELLA_BINARY_DIR),
                                 QStringLiteral("--prefix"), m_prefix.path()});
        QVERIFY2(install.finished && install.exitCode == 0, install.err.constData());
    }

    void everyFileInItsPlace()
    {
        const QStringList expected = {
            QStringLiteral("bin/orvella"),
            QStringLiteral("bin/orvella-batch"),
            QStringLiteral("bin/orvella-lang"),
            QStringLiteral("share/orvella/Spoken.DBF"),
            QStringLiteral("share/orvella/CS.DAT"),
            QStringLiteral("share/orvella/Orvla.html"),
            QStringLiteral("share/orvella/samples/Sample.ovc"),
            QStringLiteral("share/orvella/samples/front.png"),
            QStringLiteral("share/orvella/samples/inside.png"),
            QStringLiteral("share/orvella/samples/back.png"),
            QStringLiteral("share/orvella/samples/cd.png"),
            QStringLiteral("share/applications/orvella.desktop"),
            QStringLiteral("share/mime/packages/orvella.xml"),
            QStringLiteral("share/metainfo/" ORVELLA_APPSTREAM_ID ".metainfo.xml"),
            QStringLiteral("share/man/man1/orvella.1"),
            QStringLiteral("share/man/man1/orvella-batch.1"),
            QStringLiteral("share/man/man1/orvella-lang.1"),
            QStringLiteral("share/doc/orvella/copyright"),
        };
        for (const QString& file : expected)
            QVERIFY2(QFileInfo(installed(file)).isFile(), qPrintable(file));
        for (const QString& program : {QStringLiteral("orvella"), QStringLiteral("orvella-batch"),
                                       QStringLiteral("orvella-lang")})
            QVERIFY(QFileInfo(installed(QStringLiteral("bin/") + program)).isExecutable());

        // The help as it is in the source, each language's folder included.
        const QString help = QStringLiteral(ORVELLA_SOURCE_DIR "/resources/help");
        int pages = 0;
        QDirIterator it(help, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString relative = QDir(help).relativeFilePath(it.next());
            QVERIFY2(QFileInfo(installed(QStringLiteral("share/orvella/") + relative)).isFile(),
                     qPrintable(relative));
            ++pages;
        }
        QVERIFY(pages > 0);

        // A page another page sends the reader to is installed too.
        const QDir man(installed(QStringLiteral("share/man/man1")));
        const QStringList manPages = man.entryList({QStringLiteral("*.1")}, QDir::Files);
        static const QRegularExpression seeAlso(QStringLiteral("^\\.BR (orvella[a-z-]*) \\(1\\)"),
                                                QRegularExpression::MultilineOption);
        for (const QString& page : manPages) {
            QRegularExpressionMatchIterator refs =
                seeAlso.globalMatch(QString::fromUtf8(contentOf(man.filePath(page))));
            while (refs.hasNext()) {
                const QString target = refs.next().captured(1) + QStringLiteral(".1");
                QVERIFY2(manPages.contains(target),
                         qPrintable(page + QLatin1String(" -> ") + target));
            }
        }
    }

    // --version and --help answer with no display, no language database beside or above the
    // program, and without the start-up's registration of the file type.
    void versionAndHelpWithoutDisplay()
    {
        const QString lonely = m_work.filePath(QStringLiteral("lonely/orvella"));
        QDir().mkpath(QFileInfo(lonely).absolutePath());
        QVERIFY(QFile::copy(installed(QStringLiteral("bin/orvella")), lonely));

        const Run version = run(lonely, {QStringLiteral("--version")});
        QVERIFY2(version.finished && version.exitCode == 0, version.err.constData());
        const Run batchVersion =
            run(installed(QStringLiteral("bin/orvella-batch")), {QStringLiteral("--version")});
        QCOMPARE(batchVersion.exitCode, 0);
        QVERIFY(batchVersion.out.startsWith("orvella-batch "));
        // The same form and the same version as the batch tool's.
        QCOMPARE(version.out, "orvella " + batchVersion.out.mid(14));
        QVERIFY(QRegularExpression(QStringLiteral("^orvella \\d+\\.\\d+\\.\\d+\\.\\d+\\n$"))
                    .match(QString::fromLatin1(version.out))
                    .hasMatch());

        const Run help = run(lonely, {QStringLiteral("--help")});
        QVERIFY2(help.finished && help.exitCode == 0, help.err.constData());
        QVERIFY(help.out.startsWith("Usage: orvella "));
        QVERIFY(help.out.contains("/L="));

        const QDir data(m_work.filePath(QStringLiteral("home/.local/share")));
        QVERIFY2(data.isEmpty(), qPrintable(data.entryList().join(QLatin1Char(' '))));
    }

    void batchPrintsTheInstalledSample()
    {
        const QString pdf = m_work.filePath(QStringLiteral("sample.pdf"));
        const Run batch = run(installed(QStringLiteral("bin/orvella-batch")),
                              {QStringLiteral("--output"), pdf,
                               installed(QStringLiteral("share/orvella/samples/Sample.ovc"))});
        QVERIFY2(batch.finished && batch.exitCode == 0, batch.err.constData());
        QVERIFY(QFileInfo(pdf).size() > 0);
        QVERIFY(contentOf(pdf).startsWith("%PDF-"));
        const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
        if (!pdfinfo.isEmpty()) {
            // Front and Inside share a sheet; Back and CD have one each.
            const Run info = run(pdfinfo, {pdf});
            QVERIFY(QRegularExpression(QStringLiteral("^Pages:\\s+3$"),
                                       QRegularExpression::MultilineOption)
                        .match(QString::fromUtf8(info.out))
                        .hasMatch());
        }
    }

    // The checkers the desktop's own packagers use, where this machine has them.
    void desktopToolsAcceptTheFiles()
    {
        int checked = 0;
        const QString desktopValidate =
            QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
        if (!desktopValidate.isEmpty()) {
            const Run r = run(desktopValidate,
                              {installed(QStringLiteral("share/applications/orvella.desktop"))});
            QVERIFY2(r.exitCode == 0 && r.out.trimmed().isEmpty(), (r.out + r.err).constData());
            ++checked;
        }
        const QString appstream = QStandardPaths::findExecutable(QStringLiteral("appstreamcli"));
        if (!appstream.isEmpty()) {
            const Run r =
                run(appstream, {QStringLiteral("validate"), QStringLiteral("--no-net"),
                                installed(QStringLiteral("share/metainfo/" ORVELLA_APPSTREAM_ID
                                                         ".metainfo.xml"))});
            QVERIFY2(r.exitCode == 0, (r.out + r.err).constData());
            ++checked;
        }
        const QString groff = QStandardPaths::findExecutable(QStringLiteral("groff"));
        if (!groff.isEmpty()) {
            const QDir man(installed(QStringLiteral("share/man/man1")));
            const QStringList pages = man.entryList({QStringLiteral("*.1")}, QDir::Files);
            for (const QString& page : pages) {
                const Run r = run(groff, {QStringLiteral("-man"), QStringLiteral("-ww"),
                                          QStringLiteral("-z"), man.filePath(page)});
                QVERIFY2(r.exitCode == 0 && r.err.isEmpty(), qPrintable(page + r.err));
            }
            ++checked;
        }
        if (checked == 0)
            QSKIP("neither desktop-file-validate, appstreamcli nor groff is installed");
    }

    // What a program that is not installed (a build) writes for its user names the same
    // type, entry and icons as the installed files; the installed program writes no copy
    // of its own, since its package registers the type.
    void installedFilesMatchTheUsersRegistration()
    {
        const QString home = m_work.filePath(QStringLiteral("registration"));
        const QByteArray oldData = qgetenv("XDG_DATA_HOME");
        const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
        const QByteArray oldPath = qgetenv("PATH");
        qputenv("XDG_DATA_HOME", (home + QStringLiteral("/data")).toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (home + QStringLiteral("/config")).toLocal8Bit());
        // The desktop's cache tools are not this test's business.
        qputenv("PATH", m_work.filePath(QStringLiteral("no-tools")).toLocal8Bit());
        RegisterFileType(QStringLiteral("OVC"), platform::applicationTitle(),
                         installed(QStringLiteral("bin/orvella")));
        QVERIFY(!QFileInfo::exists(home + QStringLiteral("/data/applications/orvella.desktop")));
        QVERIFY(!QFileInfo::exists(home + QStringLiteral("/data/mime/packages")) ||
                QDir(home + QStringLiteral("/data/mime/packages")).isEmpty());
        QVERIFY(contentOf(home + QStringLiteral("/config/mimeapps.list"))
                    .contains("=orvella.desktop"));
        RegisterFileType(QStringLiteral("OVC"), platform::applicationTitle(),
                         m_work.filePath(QStringLiteral("build/bin/orvella")));
        qputenv("PATH", oldPath);
        qputenv("XDG_DATA_HOME", oldData);
        qputenv("XDG_CONFIG_HOME", oldConfig);

        const QDir packages(home + QStringLiteral("/data/mime/packages"));
        const QStringList written = packages.entryList({QStringLiteral("*.xml")}, QDir::Files);
        QCOMPARE(written.size(), 1);
        QCOMPARE(contentOf(installed(QStringLiteral("share/mime/packages/orvella.xml"))),
                 contentOf(packages.filePath(written.first())));

        const QDir entries(home + QStringLiteral("/data/applications"));
        QCOMPARE(entries.entryList(QDir::Files), QStringList{QStringLiteral("orvella.desktop")});
        const QMap<QString, QString> user =
            desktopEntryKeys(entries.filePath(QStringLiteral("orvella.desktop")));
        const QMap<QString, QString> system =
            desktopEntryKeys(installed(QStringLiteral("share/applications/orvella.desktop")));
        for (const QString& key :
             {QStringLiteral("Type"), QStringLiteral("Name"), QStringLiteral("Icon"),
              QStringLiteral("MimeType"), QStringLiteral("Categories"), QStringLiteral("Terminal")})
            QVERIFY2(user.value(key) == system.value(key), qPrintable(key));
        QCOMPARE(system.value(QStringLiteral("Exec")), QStringLiteral("orvella %f"));
        QVERIFY(user.value(QStringLiteral("Exec")).endsWith(QStringLiteral(" %f")));

        // The icons those names lead to, and the software centre's links to both.
        const QString type =
            system.value(QStringLiteral("MimeType")).section(QLatin1Char(';'), 0, 0);
        QVERIFY(QFileInfo::exists(installed(QStringLiteral("share/icons/hicolor/scalable/apps/") +
                                            system.value(QStringLiteral("Icon")) +
                                            QStringLiteral(".svg"))));
        QVERIFY(QFileInfo::exists(installed(
            QStringLiteral("share/icons/hicolor/scalable/mimetypes/") +
            QString(type).replace(QLatin1Char('/'), QLatin1Char('-')) + QStringLiteral(".svg"))));
        const QByteArray metainfo = contentOf(
            installed(QStringLiteral("share/metainfo/" ORVELLA_APPSTREAM_ID ".metainfo.xml")));
        QVERIFY(metainfo.contains("<launchable type=\"desktop-id\">orvella.desktop</launchable>"));
        QVERIFY(metainfo.contains("<mediatype>" + type.toUtf8() + "</mediatype>"));
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
