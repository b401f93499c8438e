// A site list that exists but cannot be read is shown as such and left as it is; no list
// keeps the program busy for long.
#include "LangRuntime.h"
#include "LangTestEnv.h"
#include "ProgramFolder.h"
#include "ScriptedUi.h"
#include "SiteList.h"
#include "frmCoverSites.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include <memory>

namespace {

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// n lines "Site k;http://site-k.example/..." each exactly `length` bytes with its CR LF.
QByteArray lines(int n, int length)
{
    QByteArray bytes;
    bytes.reserve(qsizetype(n) * length);
    for (int k = 0; k < n; ++k) {
        QByteArray line = "Site " + QByteArray::number(k) + ";http://site.example/";
        line += QByteArray(length - 2 - line.size(), 'x');
        bytes += line + "\r\n";
    }
    return bytes;
}

// What a path is, to tell that nothing replaced it: its kind and, for a file, its bytes.
QByteArray fingerprint(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return "link to " + info.symLinkTarget().toUtf8();
    if (info.isDir())
        return "folder";
    if (!info.isFile())
        return info.exists() ? "special" : "missing";
    return "file " + QByteArray::number(info.size()) + ' ' + readBytes(path).left(64);
}

} // namespace

class TestSiteListRead : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<LangTestEnv>(2);
        m_ui = std::make_unique<ScriptedUi>(); // a message would be unexpected
    }

    void cleanup()
    {
        if (frmCoverSites* window = frmCoverSites::openWindow()) {
            window->hide();
            delete window;
        }
        const bool scriptDone = m_ui->scriptDone();
        m_ui.reset();
        lang::LangRuntime::instance().reset();
        m_env.reset();
        QVERIFY(scriptDone);
    }

    void unreadableListIsShownAndKept_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("too large") << "too large";
        QTest::newRow("a line too long") << "long line";
        QTest::newRow("too many sites") << "many";
        QTest::newRow("a folder") << "folder";
        QTest::newRow("a pipe") << "pipe";
        QTest::newRow("a link to nothing") << "dangling";
        QTest::newRow("no permission to read") << "unreadable";
    }

    void unreadableListIsShownAndKept()
    {
        QFETCH(QString, kind);
        const QString path = userList();
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (kind == QLatin1String("too large")) {
            m_env->writeFile(QStringLiteral("data/CS.DAT"),
                             lines(SiteList::MaxFileBytes / 100 + 1, 100));
        } else if (kind == QLatin1String("long line")) {
            m_env->writeFile(QStringLiteral("data/CS.DAT"),
                             "A;http://a/\r\n" + lines(1, SiteList::MaxLineBytes + 3));
        } else if (kind == QLatin1String("many")) {
            m_env->writeFile(QStringLiteral("data/CS.DAT"), lines(SiteList::MaxEntries + 1, 20));
        } else if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkpath(path));
        } else if (kind == QLatin1String("pipe")) {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        } else if (kind == QLatin1String("dangling")) {
            QVERIFY(QFile::link(m_env->path(QStringLiteral("gone/CS.DAT")), path));
        } else {
            if (::geteuid() == 0)
                QSKIP("the superuser reads every file");
            m_env->writeFile(QStringLiteral("data/CS.DAT"), "A;http://a/\r\n");
            QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
        }
        const QByteArray before = fingerprint(path);

        QElapsedTimer timer;
        timer.start();
        frmCoverSites* window = frmCoverSites::showWindow(nullptr, sites());
        QVERIFY(timer.elapsed() < 2000);
        QVERIFY(window->lblReadError()->isVisibleTo(window));
        QCOMPARE(window->lblReadError()->text(), LangString(1384) + QLatin1Char('\n') + path);
        QCOMPARE(window->lstCoverSites()->count(), 0);
        QVERIFY(!window->btnAccion(frmCoverSites::Add)->isEnabled());
        QVERIFY(window->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(fingerprint(path), before);
        QVERIFY(m_ui->messages.isEmpty());

        // Opening again says the same: the list was not replaced by an empty one.
        window = frmCoverSites::showWindow(nullptr, sites());
        QVERIFY(window->lblReadError()->isVisibleTo(window));
    }

    void unreadableStartingListIsKeptAndTriedAgain()
    {
        const QString starting =
            m_env->writeFile(QStringLiteral("CS.DAT"), lines(SiteList::MaxEntries + 1, 20));
        const QByteArray before = readBytes(starting);
        frmCoverSites* window = frmCoverSites::showWindow(nullptr, sites());
        QCOMPARE(window->lblReadError()->text(), LangString(1384) + QLatin1Char('\n') + starting);
        QVERIFY(window->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // No list of the user's own was made, so the starting list is read again next time.
        QVERIFY(!QFileInfo::exists(userList()));
        QCOMPARE(readBytes(starting), before);

        m_env->writeFile(QStringLiteral("CS.DAT"), "A;http://a/\r\n");
        window = frmCoverSites::showWindow(nullptr, sites());
        QVERIFY(!window->lblReadError()->isVisibleTo(window));
        QCOMPARE(window->lstCoverSites()->count(), 1);
        QVERIFY(window->btnAccion(frmCoverSites::Add)->isEnabled());
    }

    void largestListsOpenAndCloseQuickly_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("entries");
        const int longLines = int(SiteList::MaxFileBytes / (SiteList::MaxLineBytes + 1));
        QTest::newRow("as many sites as allowed")
            << lines(SiteList::MaxEntries, int(SiteList::MaxFileBytes / SiteList::MaxEntries))
            << SiteList::MaxEntries;
        QTest::newRow("the longest lines allowed")
            << lines(longLines, SiteList::MaxLineBytes + 1) << longLines;
        QTest::newRow("blank lines up to the size allowed")
            << QByteArray(SiteList::MaxFileBytes, '\n') << 0;
    }

    void largestListsOpenAndCloseQuickly()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, entries);
        QVERIFY(file.size() <= SiteList::MaxFileBytes);
        m_env->writeFile(QStringLiteral("data/CS.DAT"), file);
        QElapsedTimer timer;
        timer.start();
        frmCoverSites* window = frmCoverSites::showWindow(nullptr, sites());
        QCoreApplication::processEvents(); // painted
        QCOMPARE(window->lstCoverSites()->count(), entries);
        QVERIFY(!window->lblReadError()->isVisibleTo(window));
        QVERIFY(window->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(sites().read().entries.size(), entries);
    }

    // A list from Windows is judged by what it becomes when written back (UTF-8): one that
    // would outgrow the bounds is not read at all, so a list read can always be read again.
    void windowsListIsJudgedAsWritten()
    {
        const QByteArray accented(2000, char(0xE9)); // "é" in Windows-1252: 4000 bytes in UTF-8
        m_env->writeFile(QStringLiteral("data/CS.DAT"), "A;" + accented + "\r\n");
        SiteList::Contents contents = sites().read();
        QVERIFY(contents.readable);
        QVERIFY(sites().write(contents.entries));
        contents = sites().read();
        QVERIFY(contents.readable);
        QCOMPARE(contents.entries.size(), 1);

        const QByteArray longer(2100, char(0xE9));
        m_env->writeFile(QStringLiteral("data/CS.DAT"), "A;" + longer + "\r\n");
        QVERIFY(!sites().read().readable);
        QByteArray many;
        for (int i = 0; i < 700; ++i)
            many += "A;" + QByteArray(1000, char(0xE9)) + "\r\n"; // 700 kB, 1.4 MB as UTF-8
        m_env->writeFile(QStringLiteral("data/CS.DAT"), many);
        QVERIFY(!sites().read().readable);
    }

private:
    QString userList() const { return m_env->path(QStringLiteral("data/CS.DAT")); }
    SiteList sites() const { return SiteList(userList(), m_env->path(SiteList::fileName())); }

    std::unique_ptr<LangTestEnv> m_env;
    std::unique_ptr<ScriptedUi> m_ui;
};

QTEST_MAIN(TestSiteListRead)
#include "tst_sitelist_read.moc"
