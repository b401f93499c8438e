#include "HelpWindow.h"
#include "LangRuntime.h"
#include "LangTestEnv.h"
#include "ScriptedUi.h"
#include "ShellCommands.h"
#include "TestDatabase.h"

#include <QAction>
#include <QColor>
#include <QDesktopServices>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolBar>

#include <memory>

namespace {

const QString kShippedHelp = QStringLiteral(ORVELLA_SOURCE_DIR "/resources/help");

// The menus and menu items the pages name, by string number.
const int kMenuCaptions[] = {1066, 1080, 1084, 1092, 1266, 1088, 1440, 1238, 1076,
                             1154, 1062, 1472, 1474, 1056, 1086, 1072, 1060, 1064,
                             1096, 1048, 1042, 1070, 1054, 1144, 1312, 1038, 1490, 1536,
                             1550};

QString readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// A caption as a reader sees it in the menu: without its access-key mark and the dots of
// a command that asks something first.
QString plainCaption(QString caption)
{
    caption.remove(QLatin1Char('&'));
    if (caption.endsWith(QLatin1String("...")))
        caption.chop(3);
    return caption.trimmed();
}

QString canonical(const QString& path)
{
    return QFileInfo(path).canonicalFilePath();
}

} // namespace

// Stands in for the user's browser.
class Browser : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> opened;

public Q_SLOTS:
    void open(const QUrl& url) { opened.append(url); }
};

class TestShellHelp : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void helpShowsContents();
    void helpPagesAreLinkedAndComplete();
    void helpMenuPathsAreTheProgramsCaptions_data();
    void helpMenuPathsAreTheProgramsCaptions();
    void helpInTheLanguageInUse_data();
    void helpInTheLanguageInUse();
    void helpFollowsALanguageChange();
    void helpFallsBackToEnglish();
    void helpMissing();
    void productSiteOrTheHelpAboutTheProgram();

private:
    // The shipped help, every language, into the program folder.
    void installShippedHelp() const;
    // Loads language `number` of the database in the program folder, as the program would.
    void useLanguage(int number, const QString& expectedName);
    // Reaches every page from the contents page of `folder`, checking each on the way, and
    // gives each page's links to other pages.
    void crawl(const QDir& folder, const QString& language, QMap<QString, QStringList>& links);
    QString shownFile() const
    {
        return canonical(HelpWindow::openWindow()->browser()->source().toLocalFile());
    }

    std::unique_ptr<LangTestEnv> m_env;
    std::unique_ptr<ScriptedUi> m_ui;
};

void TestShellHelp::init()
{
    m_env = std::make_unique<LangTestEnv>(2);
    m_ui = std::make_unique<ScriptedUi>();
}

void TestShellHelp::cleanup()
{
    delete HelpWindow::openWindow();
    const bool scriptDone = m_ui->scriptDone();
    m_ui.reset();
    lang::LangRuntime::instance().reset();
    m_env.reset();
    QVERIFY2(scriptDone, "a scripted answer was not asked for");
}

void TestShellHelp::installShippedHelp() const
{
    QDirIterator files(kShippedHelp, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString from = files.next();
        const QString name = QDir(kShippedHelp).relativeFilePath(from);
        QDir().mkpath(QFileInfo(m_env->path(name)).absolutePath());
        QFile::copy(from, m_env->path(name));
    }
}

void TestShellHelp::useLanguage(int number, const QString& expectedName)
{
    lang::LangRuntime& runtime = lang::LangRuntime::instance();
    runtime.reset();
    runtime.setCurrentLanguage(number);
    LangString(1054);
    QCOMPARE(runtime.languageName(), expectedName);
}

void TestShellHelp::helpShowsContents()
{
    installShippedHelp();
    showHelpContents(nullptr, m_env->folder());
    HelpWindow* window = HelpWindow::openWindow();
    QVERIFY(window && window->isVisible());
    QTextBrowser* browser = window->browser();
    QCOMPARE(shownFile(), canonical(m_env->path(QStringLiteral("Orvla.html"))));
    QVERIFY(!browser->documentTitle().isEmpty());
    QCOMPARE(window->windowTitle(), browser->documentTitle());

    // Wherever the reader went, the command comes back to the contents, in the same window.
    browser->setSource(QUrl::fromLocalFile(m_env->path(QStringLiteral("Orvla-sites.html"))));
    QCOMPARE(browser->source().fileName(), QStringLiteral("Orvla-sites.html"));
    showHelpContents(nullptr, m_env->folder());
    QCOMPARE(HelpWindow::openWindow(), window);
    QCOMPARE(browser->source().fileName(), QStringLiteral("Orvla.html"));

    // The picture-only buttons are named for tool tips and screen readers.
    QStringList tips;
    const QList<QAction*> actions = window->findChild<QToolBar*>()->actions();
    for (const QAction* action : actions)
        tips << action->toolTip();
    QCOMPARE(tips, (QStringList{LangString(1478), LangString(1480), LangString(1482)}));
}

void TestShellHelp::crawl(const QDir& folder, const QString& language,
                          QMap<QString, QStringList>& links)
{
    const QRegularExpression href(QStringLiteral("href=\"([^\"#]*)[^\"]*\""));
    const QRegularExpression title(QStringLiteral("<title>[^<]+</title>"));
    const QString styleSheet = canonical(QDir(kShippedHelp).filePath(QStringLiteral("Orvla.css")));
    const QString where = language + QLatin1Char('/');

    QStringList queue{HelpWindow::contentsFileName()};
    for (int i = 0; i < queue.size() && i < 100; ++i) {
        const QString page = queue.at(i);
        const QString html = readText(folder.filePath(page));
        QVERIFY2(title.match(html).hasMatch(), qPrintable(where + page + " has no title"));
        QVERIFY2(html.contains(QStringLiteral("<html lang=\"%1\">").arg(language)),
                 qPrintable(where + page + " does not say its language"));
        links[page]; // a page that links nowhere is still a page
        auto found = href.globalMatch(html);
        while (found.hasNext()) {
            const QString target = found.next().captured(1);
            if (target.isEmpty() || target.contains(QLatin1Char(':')))
                continue; // a place on the same page, or an address outside the help
            const QString context = where + page + " links to " + target;
            if (!target.endsWith(QLatin1String(".html"))) {
                // Every language shares the one style sheet.
                QVERIFY2(canonical(folder.filePath(target)) == styleSheet, qPrintable(context));
                continue;
            }
            // A reader stays in his language from page to page.
            QVERIFY2(!target.contains(QLatin1Char('/')), qPrintable(context));
            QVERIFY2(folder.exists(target), qPrintable(context));
            links[page].append(target);
            if (!queue.contains(target))
                queue.append(target);
        }
    }
    const QStringList pages = folder.entryList({QStringLiteral("*.html")}, QDir::Files);
    for (const QString& page : pages)
        QVERIFY2(links.contains(page), qPrintable(where + page + " is not linked"));
}

void TestShellHelp::helpPagesAreLinkedAndComplete()
{
    const QDir english(kShippedHelp);
    QMap<QString, QStringList> englishLinks;
    crawl(english, QStringLiteral("en"), englishLinks);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(englishLinks.contains(QStringLiteral("Orvla.html")));

    // Each translation has the same pages, linked the same way.
    const QStringList languages = english.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCOMPARE(languages,
             (QStringList{QStringLiteral("de"), QStringLiteral("es"), QStringLiteral("fr")}));
    for (const QString& language : languages) {
        const QDir folder(english.filePath(language));
        QCOMPARE(folder.entryList(QDir::Files),
                 english.entryList({QStringLiteral("*.html")}, QDir::Files));
        QMap<QString, QStringList> links;
        crawl(folder, language, links);
        if (QTest::currentTestFailed())
            return;
        for (auto it = englishLinks.cbegin(); it != englishLinks.cend(); ++it)
            QVERIFY2(links.value(it.key()) == it.value(),
                     qPrintable(language + "/" + it.key() + " links elsewhere than in English"));
    }
}

void TestShellHelp::helpMenuPathsAreTheProgramsCaptions_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("folder");
    QTest::newRow("English") << 2 << QStringLiteral("English") << QString();
    QTest::newRow("Spanish") << 1 << QStringLiteral("Espanol") << QStringLiteral("es");
    QTest::newRow("French") << 3 << QStringLiteral("Francais") << QStringLiteral("fr");
    QTest::newRow("German") << 4 << QStringLiteral("Deutsch") << QStringLiteral("de");
}

// "File > Print preview" in a page must read as the menus read in that language.
void TestShellHelp::helpMenuPathsAreTheProgramsCaptions()
{
    QFETCH(int, number);
    QFETCH(QString, name);
    QFETCH(QString, folder);
    useLanguage(number, name);
    QSet<QString> captions;
    for (const int caption : kMenuCaptions)
        captions.insert(plainCaption(LangString(caption)));

    const QDir pages(QDir(kShippedHelp).filePath(folder));
    const QRegularExpression path(QStringLiteral(">([^<>]*&gt;[^<>]*)<"));
    int checked = 0;
    const QStringList files = pages.entryList({QStringLiteral("*.html")}, QDir::Files);
    for (const QString& page : files) {
        auto found = path.globalMatch(readText(pages.filePath(page)));
        while (found.hasNext()) {
            const QString steps = found.next().captured(1).simplified();
            const QStringList parts = steps.split(QStringLiteral(" &gt; "));
            for (const QString& part : parts) {
                QVERIFY2(captions.contains(part),
                         qPrintable(page + ": \"" + part + "\" in \"" + steps + "\""));
                ++checked;
            }
        }
    }
    QVERIFY(checked > 40);
}

void TestShellHelp::helpInTheLanguageInUse_data()
{
    helpMenuPathsAreTheProgramsCaptions_data();
}

void TestShellHelp::helpInTheLanguageInUse()
{
    QFETCH(int, number);
    QFETCH(QString, name);
    QFETCH(QString, folder);
    installShippedHelp();
    useLanguage(number, name);

    showHelpContents(nullptr, m_env->folder());
    HelpWindow* window = HelpWindow::openWindow();
    QVERIFY(window && window->isVisible());
    QCOMPARE(shownFile(),
             canonical(QDir(m_env->path(folder)).filePath(QStringLiteral("Orvla.html"))));
    QTextBrowser* browser = window->browser();
    QCOMPARE(window->windowTitle(), browser->documentTitle());

    // The shared style sheet one folder up reaches the page: headings wear its colour.
    QTextBlock block = browser->document()->begin();
    while (block.isValid() && block.blockFormat().headingLevel() != 1)
        block = block.next();
    QVERIFY(block.isValid());
    QCOMPARE(block.begin().fragment().charFormat().foreground().color(), QColor(0x1f, 0x4e, 0x79));
    QVERIFY(m_ui->messages.isEmpty());
}

void TestShellHelp::helpFollowsALanguageChange()
{
    installShippedHelp();
    useLanguage(3, QStringLiteral("Francais"));
    showHelpContents(nullptr, m_env->folder());
    HelpWindow* window = HelpWindow::openWindow();
    QCOMPARE(shownFile(), canonical(m_env->path(QStringLiteral("fr/Orvla.html"))));
    const QString frenchTitle = window->windowTitle();

    // File > Language, then Help contents again: the open window turns to the new language,
    // and so does its own contents button.
    useLanguage(4, QStringLiteral("Deutsch"));
    showHelpContents(nullptr, m_env->folder());
    QCOMPARE(HelpWindow::openWindow(), window);
    QCOMPARE(shownFile(), canonical(m_env->path(QStringLiteral("de/Orvla.html"))));
    QVERIFY(window->windowTitle() != frenchTitle);
    useLanguage(2, QStringLiteral("English"));
    QVERIFY(window->showContentsPage());
    QCOMPARE(shownFile(), canonical(m_env->path(QStringLiteral("Orvla.html"))));
}

void TestShellHelp::helpFallsBackToEnglish()
{
    installShippedHelp();
    const QString english = canonical(m_env->path(QStringLiteral("Orvla.html")));

    // English is at the top even when a folder of its code is there.
    m_env->writeFile(QStringLiteral("en/Orvla.html"), "<html><title>stray</title></html>");
    useLanguage(2, QStringLiteral("English"));
    showHelpContents(nullptr, m_env->folder());
    QCOMPARE(shownFile(), english);

    // A language folder without its contents page.
    QVERIFY(QFile::remove(m_env->path(QStringLiteral("fr/Orvla.html"))));
    useLanguage(3, QStringLiteral("Francais"));
    showHelpContents(nullptr, m_env->folder());
    QCOMPARE(shownFile(), english);
    // No folder at all.
    QVERIFY(QDir(m_env->path(QStringLiteral("de"))).removeRecursively());
    useLanguage(4, QStringLiteral("Deutsch"));
    showHelpContents(nullptr, m_env->folder());
    QCOMPARE(shownFile(), english);

    // A translator's database: a language the help does not know, and a name that is no
    // language anyone knows.
    m_env->writeFile(QStringLiteral("Spoken.DBF"),
                     TestDatabase::standard({"English", "Italiano", "Orvellese"}, 200).bytes());
    for (const auto& [number, name] : {std::pair{2, "Italiano"}, std::pair{3, "Orvellese"}}) {
        useLanguage(number, QString::fromLatin1(name));
        showHelpContents(nullptr, m_env->folder());
        QCOMPARE(shownFile(), english);
    }
    QVERIFY(m_ui->messages.isEmpty());
}

void TestShellHelp::helpMissing()
{
    // In French too, a help that is nowhere names the English contents page, where the
    // help always is when it is installed at all.
    m_env->writeFile(QStringLiteral("fr/Orvla-keys.html"), "<html></html>");
    useLanguage(3, QStringLiteral("Francais"));
    showHelpContents(nullptr, m_env->folder());
    HelpWindow* window = HelpWindow::openWindow();
    QVERIFY(window && window->isVisible());
    // The plain text shows French no-break spaces as blanks.
    const QString shown = window->browser()->toPlainText();
    const QString message = LangString(1374).replace(QChar::Nbsp, QLatin1Char(' '));
    QVERIFY2(shown.contains(message), qPrintable(shown));
    QVERIFY2(shown.contains(m_env->path(QStringLiteral("Orvla.html"))), qPrintable(shown));
    QVERIFY(m_ui->messages.isEmpty());
}

void TestShellHelp::productSiteOrTheHelpAboutTheProgram()
{
    Browser browser;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &browser, "open");
    m_env->writeFile(QStringLiteral("Orvla.html"),
                     "<html><head><title>About Orvella</title></head><body></body></html>");

    // A build that names the product's site opens it in the browser.
    showProductSite(nullptr, QStringLiteral("https://orvella.test/start"), m_env->folder());
    QCOMPARE(browser.opened, QList<QUrl>{QUrl(QStringLiteral("https://orvella.test/start"))});
    QCOMPARE(HelpWindow::openWindow(), nullptr);

    // One that names none shows the program's own page about itself, in its help window.
    for (const QString& none : {QString(), QStringLiteral("  ")}) {
        showProductSite(nullptr, none, m_env->folder());
        HelpWindow* window = HelpWindow::openWindow();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->browser()->source().fileName(), QStringLiteral("Orvla.html"));
        QCOMPARE(window->windowTitle(), QStringLiteral("About Orvella"));
    }
    QCOMPARE(browser.opened.size(), 1);
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    QVERIFY(m_ui->messages.isEmpty());
}

QTEST_MAIN(TestShellHelp)
#include "tst_shell_help.moc"
