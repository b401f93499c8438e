#include "AppInfo.h"
#include "LangRuntime.h"
#include "LangTestEnv.h"
#include "ProgramFolder.h"
#include "ScriptedUi.h"
#include "ShellCommands.h"
#include "SiteList.h"
#include "TextSplit.h"
#include "frmCoverSites.h"
#include "frmEditSite.h"

#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <memory>

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

namespace {

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QStringList entriesOf(const frmCoverSites* window)
{
    QStringList entries;
    for (int i = 0; i < window->lstCoverSites()->count(); ++i)
        entries.append(window->lstCoverSites()->item(i)->text());
    return entries;
}

// What one use of the site dialog looked like when it came up.
struct DialogSeen
{
    QString title;
    QString name;
    QString url;
};

// Answers the site dialog: fills in the fields (unless null) and presses a button.
ScriptedUi::DialogScript siteDialog(DialogSeen* seen, const char* name, const char* url, int button)
{
    return [=](QDialog* dialog) {
        auto* edit = qobject_cast<frmEditSite*>(dialog);
        if (!edit)
            return int(QDialog::Rejected);
        *seen = {edit->windowTitle(), edit->txtSiteName()->text(), edit->txtSiteUrl()->text()};
        if (name)
            edit->txtSiteName()->setText(QString::fromUtf8(name));
        if (url)
            edit->txtSiteUrl()->setText(QString::fromUtf8(url));
        if (button >= 0)
            edit->btnAccion(button)->click();
        else
            edit->reject(); // the close box
        return edit->result();
    };
}

} // namespace

// Stands in for the desktop's browser: records every address the desktop is asked to open.
class UrlRecorder : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }
};

class TestShellSites : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void reading_data();
    void reading();
    void openAndCloseNormalisesFile();
    void startingListIsReadUntilUserHasOwn();
    void shippedStartingList();

    void addUnchangedFields();
    void nameWithSemicolonJoinsAddressAfterReopen();
    void nameWithArrowIsCutOnEditAndSave();
    void editKeepsPlace();
    void cancelAndNoChangeNothing();
    void deleteRemovesSelected();
    void nothingSelectedDoesNothing();

    void showingAgainDoesNotReread();
    void goHandsAddressToDesktop();
    void goRefusesOtherAddresses_data();
    void goRefusesOtherAddresses();
    void failedWriteIsReportedAndWindowStays();

private:
    // The user's list in the test's own data folder, begun from the program folder's.
    SiteList sites(const QString& userList = QString()) const
    {
        return SiteList(userList.isEmpty() ? this->userList() : userList,
                        m_env->path(SiteList::fileName()));
    }
    frmCoverSites* open(const QString& userList = QString())
    {
        return frmCoverSites::showWindow(nullptr, sites(userList));
    }
    void closeAndFlush(frmCoverSites* window);
    QString userList() const { return m_env->path(QStringLiteral("data/CS.DAT")); }
    void writeUserList(const QByteArray& bytes) const
    {
        m_env->writeFile(QStringLiteral("data/CS.DAT"), bytes);
    }

    std::unique_ptr<LangTestEnv> m_env;
    std::unique_ptr<ScriptedUi> m_ui;
    UrlRecorder m_urls;
};

void TestShellSites::initTestCase()
{
    const QStringList schemes = {QStringLiteral("http"),   QStringLiteral("https"),
                                 QStringLiteral("ftp"),    QStringLiteral("file"),
                                 QStringLiteral("mailto"), QStringLiteral("javascript")};
    for (const QString& scheme : schemes)
        QDesktopServices::setUrlHandler(scheme, &m_urls, "open");
}

void TestShellSites::cleanupTestCase()
{
    for (const char* scheme : {"http", "https", "ftp", "file", "mailto", "javascript"})
        QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
}

void TestShellSites::init()
{
    m_env = std::make_unique<LangTestEnv>(2);
    m_ui = std::make_unique<ScriptedUi>();
    m_urls.opened.clear();
}

void TestShellSites::cleanup()
{
    if (frmCoverSites* window = frmCoverSites::openWindow()) {
        window->hide();
        delete window;
    }
    // Checked after the reset, so that a failure here does not spill into the next test.
    const bool scriptDone = m_ui->scriptDone();
    const int busyDepth = m_ui->busyDepth;
    m_ui.reset();
    lang::LangRuntime::instance().reset();
    m_env.reset();
    QVERIFY2(scriptDone, "a scripted answer was not asked for");
    QCOMPARE(busyDepth, 0);
}

void TestShellSites::closeAndFlush(frmCoverSites* window)
{
    QVERIFY(window->close());
    QCOMPARE(frmCoverSites::openWindow(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestShellSites::reading_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("plain") << QByteArray("A;http://a/\r\nB;http://b/\r\n")
                           << QStringList{"A -> http://a/", "B -> http://b/"};
    QTest::newRow("no semicolon") << QByteArray("Just a name\r\n") << QStringList{" -> "};
    QTest::newRow("blanks around semicolon")
        << QByteArray("  A ; http://a/  \r\n") << QStringList{"A  ->  http://a/"};
    QTest::newRow("split at first semicolon")
        << QByteArray("A;B;http://x/\r\n") << QStringList{"A -> B;http://x/"};
    QTest::newRow("empty and blank lines")
        << QByteArray("\r\n   \r\nA;x\r\n\t\r\n\r\n") << QStringList{"A -> x"};
    QTest::newRow("unix line ends, no last end")
        << QByteArray("A;x\nB;y") << QStringList{"A -> x", "B -> y"};
    QTest::newRow("windows-1252 name") << QByteArray("Caf\xe9;http://c/\r\n")
                                       << QStringList{QStringLiteral("Caf\u00e9 -> http://c/")};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
}

void TestShellSites::reading()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, entries);
    writeUserList(file);
    frmCoverSites* window = open();
    QCOMPARE(entriesOf(window), entries);
    QListWidgetItem* current = window->lstCoverSites()->currentItem();
    if (entries.isEmpty()) {
        QVERIFY(!current || !current->isSelected());
    } else {
        QCOMPARE(window->lstCoverSites()->currentRow(), 0);
        QVERIFY(current->isSelected());
    }
}

void TestShellSites::openAndCloseNormalisesFile()
{
    writeUserList("\r\n  A ; http://a/  \r\n\r\nNo separator\r\n\tB;http://b/\n\r\n");
    closeAndFlush(open());
    QCOMPARE(readBytes(userList()), QByteArray("A;http://a/\r\n;\r\nB;http://b/\r\n"));
    // Once written, the list reads back as it was written.
    frmCoverSites* window = open();
    QCOMPARE(entriesOf(window), (QStringList{"A -> http://a/", " -> ", "B -> http://b/"}));
    closeAndFlush(window);
    QCOMPARE(readBytes(userList()), QByteArray("A;http://a/\r\n;\r\nB;http://b/\r\n"));
}

void TestShellSites::startingListIsReadUntilUserHasOwn()
{
    const QByteArray shipped("Shipped;https://example.org/\r\n");
    const QString programList = m_env->writeFile(QStringLiteral("CS.DAT"), shipped);
    QVERIFY(!QFile::exists(userList()));

    frmCoverSites* window = open();
    QCOMPARE(entriesOf(window), QStringList{"Shipped -> https://example.org/"});
    window->lstCoverSites()->clear();
    closeAndFlush(window);

    // The user's (now empty) list wins from now on; the program's own is never written.
    QCOMPARE(readBytes(userList()), QByteArray());
    QCOMPARE(readBytes(programList), shipped);
    QCOMPARE(entriesOf(open()), QStringList{});
}

void TestShellSites::shippedStartingList()
{
    const QStringList entries =
        SiteList::parse(readBytes(QStringLiteral(ORVELLA_SOURCE_DIR "/resources/CS.DAT")));
    QVERIFY(entries.size() >= 3);
    for (const QString& entry : entries) {
        QVERIFY2(!TextBefore(entry, SiteList::separator()).trimmed().isEmpty(), qPrintable(entry));
        QVERIFY2(SiteList::isWebAddress(TextAfter(entry, SiteList::separator())),
                 qPrintable(entry));
    }
    QCOMPARE(SiteList::format(entries),
             readBytes(QStringLiteral(ORVELLA_SOURCE_DIR "/resources/CS.DAT")));
}

void TestShellSites::addUnchangedFields()
{
    // Out of alphabetical order on purpose: the list is never sorted.
    writeUserList("Zeta;http://z/\r\nA;http://a/\r\n");
    frmCoverSites* window = open();
    DialogSeen seen;
    m_ui->answerDialog(siteDialog(&seen, nullptr, nullptr, 0));
    window->btnAccion(frmCoverSites::Add)->click();
    QCOMPARE(seen.title, LangString(1226));
    QCOMPARE(seen.name, QString());
    QCOMPARE(seen.url, QStringLiteral("Http://"));
    QCOMPARE(entriesOf(window),
             (QStringList{"Zeta -> http://z/", "A -> http://a/", " -> Http://"}));

    // Every use starts afresh, whatever the last one was given.
    m_ui->answerDialog(siteDialog(&seen, "Typed", "https://typed.example/", 0));
    window->btnAccion(frmCoverSites::Add)->click();
    m_ui->answerDialog(siteDialog(&seen, nullptr, nullptr, 1));
    window->btnAccion(frmCoverSites::Add)->click();
    QCOMPARE(seen.name, QString());
    QCOMPARE(seen.url, QStringLiteral("Http://"));

    closeAndFlush(window);
    QCOMPARE(readBytes(userList()), QByteArray("Zeta;http://z/\r\nA;http://a/\r\n;Http://\r\n"
                                               "Typed;https://typed.example/\r\n"));
}

void TestShellSites::nameWithSemicolonJoinsAddressAfterReopen()
{
    frmCoverSites* window = open();
    DialogSeen seen;
    m_ui->answerDialog(siteDialog(&seen, " A;B ", " http://x/ ", 0));
    window->btnAccion_Click(frmCoverSites::Add);
    QCOMPARE(entriesOf(window), QStringList{" A;B  ->  http://x/ "});
    closeAndFlush(window);
    QCOMPARE(readBytes(userList()), QByteArray("A;B;http://x/\r\n"));
    QCOMPARE(entriesOf(open()), QStringList{"A -> B;http://x/"});
}

void TestShellSites::nameWithArrowIsCutOnEditAndSave()
{
    frmCoverSites* window = open();
    DialogSeen seen;
    m_ui->answerDialog(siteDialog(&seen, "A -> B", "http://x/", 0));
    window->btnAccion_Click(frmCoverSites::Add);
    QCOMPARE(entriesOf(window), QStringList{"A -> B -> http://x/"});

    m_ui->answerDialog(siteDialog(&seen, nullptr, nullptr, 1));
    window->btnAccion_Click(frmCoverSites::Edit);
    QCOMPARE(seen.name, QStringLiteral("A"));
    QCOMPARE(seen.url, QStringLiteral("B -> http://x/"));

    closeAndFlush(window);
    QCOMPARE(readBytes(userList()), QByteArray("A;B -> http://x/\r\n"));
}

void TestShellSites::editKeepsPlace()
{
    writeUserList("A;http://a/\r\nB ; http://b/\r\nC;http://c/\r\n");
    frmCoverSites* window = open();
    window->lstCoverSites()->setCurrentRow(1);
    DialogSeen seen;
    m_ui->answerDialog(siteDialog(&seen, "Bee", "https://bee.example/", 0));
    window->btnAccion(frmCoverSites::Edit)->click();
    QCOMPARE(seen.title, LangString(1158));
    // The fields hold the entry's parts as they stand, untrimmed.
    QCOMPARE(seen.name, QStringLiteral("B "));
    QCOMPARE(seen.url, QStringLiteral(" http://b/"));
    QCOMPARE(entriesOf(window),
             (QStringList{"A -> http://a/", "Bee -> https://bee.example/", "C -> http://c/"}));
    QCOMPARE(window->lstCoverSites()->currentRow(), 1);
    closeAndFlush(window);
    QCOMPARE(readBytes(userList()),
             QByteArray("A;http://a/\r\nBee;https://bee.example/\r\nC;http://c/\r\n"));
}

void TestShellSites::cancelAndNoChangeNothing()
{
    const QByteArray file("A;http://a/\r\nB;http://b/\r\n");
    writeUserList(file);
    frmCoverSites* window = open();
    const QStringList before = entriesOf(window);
    DialogSeen seen;
    m_ui->answerDialog(siteDialog(&seen, "X", "http://x/", 1)); // Add, Cancel
    window->btnAccion_Click(frmCoverSites::Add);
    m_ui->answerDialog(siteDialog(&seen, "X", "http://x/", -1)); // Add, close box
    window->btnAccion_Click(frmCoverSites::Add);
    m_ui->answerDialog(siteDialog(&seen, "X", "http://x/", 1)); // Edit, Cancel
    window->btnAccion_Click(frmCoverSites::Edit);
    m_ui->answerDialog(siteDialog(&seen, "X", "http://x/", -1)); // Edit, close box
    window->btnAccion_Click(frmCoverSites::Edit);
    m_ui->answerMessage(MsgResult::No); // Delete, No
    window->btnAccion_Click(frmCoverSites::Delete);
    QCOMPARE(entriesOf(window), before);
    QCOMPARE(window->lstCoverSites()->currentRow(), 0);
    closeAndFlush(window);
    QCOMPARE(readBytes(userList()), file);
}

void TestShellSites::deleteRemovesSelected()
{
    writeUserList("A;x\r\nB;y\r\nC;z\r\n");
    frmCoverSites* window = open();
    window->lstCoverSites()->setCurrentRow(1);
    m_ui->answerMessage(MsgResult::Yes);
    window->btnAccion(frmCoverSites::Delete)->click();
    QCOMPARE(m_ui->messages.size(), 1);
    const ScriptedUi::Message asked = m_ui->messages.constFirst();
    QCOMPARE(asked.text, LangString(1150));
    QCOMPARE(asked.title, platform::applicationTitle());
    QCOMPARE(asked.buttons, MsgButtons::YesNo);
    QCOMPARE(asked.icon, MsgIcon::None);
    QCOMPARE(entriesOf(window), (QStringList{"A -> x", "C -> z"}));
    closeAndFlush(window);
    QCOMPARE(readBytes(userList()), QByteArray("A;x\r\nC;z\r\n"));
}

void TestShellSites::nothingSelectedDoesNothing()
{
    // An empty list, and a list whose selection was cleared: no question, no dialog, no
    // address opened (the scripted UI fails the test on any of them).
    frmCoverSites* window = open();
    for (int action : {frmCoverSites::Delete, frmCoverSites::Edit, frmCoverSites::Go})
        window->btnAccion_Click(action);
    QCOMPARE(entriesOf(window), QStringList{});
    closeAndFlush(window);

    writeUserList("A;http://a/\r\n");
    window = open();
    window->lstCoverSites()->clearSelection();
    QVERIFY(!window->btnAccion(frmCoverSites::Go)->isEnabled());
    for (int action : {frmCoverSites::Delete, frmCoverSites::Edit, frmCoverSites::Go})
        window->btnAccion_Click(action);
    QCOMPARE(entriesOf(window), QStringList{"A -> http://a/"});
    QCOMPARE(m_urls.opened.size(), 0);
    QCOMPARE(m_ui->dialogsShown, 0);
}

void TestShellSites::showingAgainDoesNotReread()
{
    writeUserList("A;http://a/\r\n");
    open();
    frmCoverSites* window = frmCoverSites::openWindow();
    QVERIFY(window && window->isVisible());
    writeUserList("Changed;http://changed/\r\n");

    open();
    QCOMPARE(frmCoverSites::openWindow(), window);
    QCOMPARE(entriesOf(window), QStringList{"A -> http://a/"});
    // Nothing is written while the window is open.
    QCOMPARE(readBytes(userList()), QByteArray("Changed;http://changed/\r\n"));

    // Closing (as the program does when it ends) writes; the next showing reads anew.
    QVERIFY(closeCoverSites());
    QVERIFY(closeCoverSites());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(readBytes(userList()), QByteArray("A;http://a/\r\n"));
    writeUserList("B;http://b/\r\n");
    open();
    QCOMPARE(entriesOf(frmCoverSites::openWindow()), QStringList{"B -> http://b/"});
}

void TestShellSites::goHandsAddressToDesktop()
{
    writeUserList("Spaced; https://example.org/Path?Q=A%20B#Frag  \r\n"
                  "Ftp;ftp://ftp.example.org/pub/\r\n"
                  "Short;www.example.org\r\n");
    frmCoverSites* window = open();
    window->btnAccion(frmCoverSites::Go)->click();
    window->lstCoverSites()->setCurrentRow(1);
    window->btnAccion_Click(frmCoverSites::Go);
    // A double click on an entry acts as Go.
    QListWidget* list = window->lstCoverSites();
    list->setCurrentRow(2);
    emit list->itemDoubleClicked(list->item(2));

    QCOMPARE(m_urls.opened.size(), 3);
    QCOMPARE(m_urls.opened.at(0), QUrl(QStringLiteral("https://example.org/Path?Q=A%20B#Frag")));
    QCOMPARE(m_urls.opened.at(1), QUrl(QStringLiteral("ftp://ftp.example.org/pub/")));
    QCOMPARE(m_urls.opened.at(2), QUrl(QStringLiteral("http://www.example.org")));
    QVERIFY(m_ui->busyCalls >= 3);
    QVERIFY(m_ui->messages.isEmpty());

    // The address is taken as it stands: the blank after " -> " is not trimmed away
    // before it is handed on.
    QCOMPARE(SiteList::shellTarget(QStringLiteral(" https://example.org/")),
             QStringLiteral(" https://example.org/"));
}

void TestShellSites::goRefusesOtherAddresses_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("address");
    QTest::newRow("program path") << QByteArray("P;/usr/bin/xterm") << "/usr/bin/xterm";
    QTest::newRow("file address") << QByteArray("P;file:///usr/bin/xterm")
                                  << "file:///usr/bin/xterm";
    QTest::newRow("no host") << QByteArray("P;Http://") << "Http://";
    QTest::newRow("script") << QByteArray("P;javascript:alert(1)") << "javascript:alert(1)";
    QTest::newRow("mail") << QByteArray("P;mailto:someone@example.org")
                          << "mailto:someone@example.org";
    QTest::newRow("line without separator") << QByteArray("Nothing") << "";
}

void TestShellSites::goRefusesOtherAddresses()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, address);
    writeUserList(line + "\r\n");
    frmCoverSites* window = open();
    m_ui->answerMessage(MsgResult::Ok);
    window->btnAccion_Click(frmCoverSites::Go);
    QCOMPARE(m_urls.opened.size(), 0);
    QCOMPARE(m_ui->messages.size(), 1);
    const ScriptedUi::Message told = m_ui->messages.constFirst();
    QCOMPARE(told.text, LangString(1366) + QStringLiteral("\r\n") + address);
    QCOMPARE(told.title, platform::applicationTitle());
    QCOMPARE(told.buttons, MsgButtons::Ok);
    QCOMPARE(told.icon, MsgIcon::Exclamation);
}

void TestShellSites::failedWriteIsReportedAndWindowStays()
{
    // A file where the data folder should be: no one, not even root, can write the list.
    m_env->writeFile(QStringLiteral("blocked"), "not a folder");
    const QString unwritable = m_env->path(QStringLiteral("blocked/CS.DAT"));
    m_env->writeFile(QStringLiteral("CS.DAT"), "A;http://a/\r\n");

    frmCoverSites* window = open(unwritable);
    m_ui->answerMessage(MsgResult::Ok);
    QVERIFY(!closeCoverSites());
    QCOMPARE(m_ui->messages.size(), 1);
    QCOMPARE(m_ui->messages.at(0).text, LangString(1364) + QStringLiteral("\r\n") + unwritable);
    QCOMPARE(m_ui->messages.at(0).icon, MsgIcon::Exclamation);
    QCOMPARE(frmCoverSites::openWindow(), window);
    QVERIFY(window->isVisible());

    // Still usable; a changed list is reported again.
    m_ui->answerMessage(MsgResult::Yes);
    window->btnAccion_Click(frmCoverSites::Delete);
    QCOMPARE(entriesOf(window), QStringList{});
    m_ui->answerMessage(MsgResult::Ok);
    QVERIFY(!window->close());
    QCOMPARE(m_ui->messages.size(), 3);

    // Closing again with nothing changed since the message gives the list up.
    QVERIFY(window->close());
    QCOMPARE(m_ui->messages.size(), 3);
    QCOMPARE(frmCoverSites::openWindow(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QTEST_MAIN(TestShellSites)
#include "tst_shell_sites.moc"
