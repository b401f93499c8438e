// The main window: its start states, start-up order, texts and command dispatch.
#include "AppInfo.h"
#include "AudioSamples.h"
#include "HelpWindow.h"
#include "LangRuntime.h"
#include "LangTestEnv.h"
#include "Preferences.h"
#include "ProgramFolder.h"
#include "ScriptedUi.h"
#include "Settings.h"
#include "TestDatabase.h"
#include "frmLanguage.h"
#include "frmMenu.h"
#include "ImageArea.h"
#include "TextPanel.h"
#include "mdiORVLA.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialog>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <memory>

namespace {

const QStringList kDocumentItems = {"mnuSave",          "mnuSaveAs",        "mnuPrint",
                                    "mnuPrintPreview",  "mnuCopyClip",      "mnuPasteClip",
                                    "mnuInsertPicture", "mnuDeletePicture", "mnuInsertObject"};
const QStringList kDocumentButtons = {"SAVE", "PRINT", "COPY", "PASTE", "OBJECT", "PICTURE"};
const QStringList kAlwaysItems = {"mnuNew",    "mnuOpen",      "mnuPreferences",  "mnuLanguage",
                                  "mnuExit",   "mnuCascade",   "mnuArrangeIcons", "mnuHelpContents",
                                  "mnuCovers", "mnuORVLASite", "mnuAbout"};

QString setting(const QString& key)
{
    return platform::GetSetting(QStringLiteral("ORVLA"), QStringLiteral("Preferences"), key,
                                QStringLiteral("<none>"));
}

void saveSetting(const QString& key, const QString& value)
{
    platform::SaveSetting(QStringLiteral("ORVLA"), QStringLiteral("Preferences"), key, value);
}

// Picks a row of the language chooser and presses OK.
ScriptedUi::DialogScript chooseRow(int row)
{
    return [row](QDialog* dialog) {
        auto* list = dialog->findChild<QListWidget*>(QStringLiteral("lstLanguages"));
        list->setCurrentRow(row);
        dialog->accept();
        return int(QDialog::Accepted);
    };
}

} // namespace

// Receives the addresses the program hands to the desktop.
class UrlRecorder : public QObject
{
    Q_OBJECT
public:
    UrlRecorder()
    {
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "handle");
        QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "handle");
    }
    ~UrlRecorder() override
    {
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    }
    QList<QUrl> urls;
public Q_SLOTS:
    void handle(const QUrl& url) { urls.append(url); }
};

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_env = std::make_unique<LangTestEnv>();
        lang::LangRuntime::instance().setChooser(&frmLanguage::ask);
    }
    void cleanup() { m_env.reset(); } // the runtime goes back to its start state with it

    void startsWithDocumentCommandsDisabled()
    {
        ScriptedUi ui;
        mdiORVLA window;
        window.show();
        QVERIFY(window.mdiArea()->subWindowList().isEmpty());
        for (const QString& name : kDocumentItems)
            QVERIFY2(!window.menuItem(name)->isEnabled(), qPrintable(name));
        for (const QString& key : kDocumentButtons)
            QVERIFY2(!window.toolButton(key)->isEnabled(), qPrintable(key));
        for (const QString& name : kAlwaysItems)
            QVERIFY2(window.menuItem(name)->isEnabled(), qPrintable(name));
        for (const char* key : {"NEW", "OPEN", "HELP"})
            QVERIFY(window.toolButton(QLatin1String(key))->isEnabled());
        QCOMPARE(window.windowTitle(), QStringLiteral("Orvella "));
    }

    // Closing the last cover window lets its set and history go, and nothing acts on it
    // afterwards.
    void closingTheLastWindowReleasesItsSet()
    {
        ScriptedUi ui;
        mdiORVLA window;
        window.show();
        window.mnuNew_Click();
        const std::weak_ptr<clsCover> closed = window.activeCover();
        QVERIFY(!closed.expired());
        window.mdiArea()->subWindowList().first()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window.mdiArea()->subWindowList().isEmpty());
        QVERIFY(!window.activeCover());
        QVERIFY(closed.expired());
        window.mnuSave_Click(); // no set to save, so no question
        for (const QString& name : kDocumentItems)
            QVERIFY2(!window.menuItem(name)->isEnabled(), qPrintable(name));
    }

    void menusAndToolbarAreLaidOutInOrder()
    {
        ScriptedUi ui;
        mdiORVLA window;
        const QList<QAction*> file = window.menu(QStringLiteral("mnuFile"))->actions();
        QStringList names;
        for (QAction* a : file)
            names << a->objectName();
        QCOMPARE(names, QStringList({"mnuNew", "mnuSepara0100", "mnuOpen", "mnuSave", "mnuSaveAs",
                                     "mnuSepara01", "mnuPrint", "mnuPrintPreview", "mnuSepara0101",
                                     "mnuPreferences", "mnuSepara0102", "mnuLanguage",
                                     "mnuSepara0103", "mnuExit"}));
        QCOMPARE(window.menuItem(QStringLiteral("mnuSaveAs"))->shortcut(),
                 QKeySequence(Qt::CTRL | Qt::Key_A));
        QCOMPARE(window.menuItem(QStringLiteral("mnuExit"))->shortcut(),
                 QKeySequence(Qt::CTRL | Qt::Key_X));
        QCOMPARE(window.menuItem(QStringLiteral("mnuHelpContents"))->shortcut(),
                 QKeySequence(Qt::Key_F1));

        const QList<QAction*> positions = window.barTools()->actions();
        QCOMPARE(positions.size(), 12);
        const QStringList keys = {"NEW",   "OPEN", "SAVE",   "PRINT",   "", "COPY",
                                  "PASTE", "",     "OBJECT", "PICTURE", "", "HELP"};
        for (int i = 0; i < 12; ++i) {
            QCOMPARE(positions[i]->isSeparator(), keys[i].isEmpty());
            if (keys[i].isEmpty())
                continue;
            QCOMPARE(positions[i]->data().toString(), keys[i]);
            QVERIFY2(!positions[i]->icon().isNull(), qPrintable(keys[i]));
            QVERIFY(!positions[i]->icon().pixmap(22, 22).isNull());
        }
        QCOMPARE(window.imgTools().keys().size(), 19);
    }

    void firstActivationReadsSettingsThenAppliesTexts()
    {
        ScriptedUi ui;
        saveSetting(QStringLiteral("Editor"), QStringLiteral("/usr/bin/gimp"));
        saveSetting(QStringLiteral("Language"), QStringLiteral("1"));
        mdiORVLA window;
        // Nothing is read, and no text applied, before the window first shows.
        QVERIFY(window.firstActivation());
        QVERIFY(!lang::LangRuntime::instance().isLoaded());
        QVERIFY(window.menu(QStringLiteral("mnuFile"))->title().isEmpty());
        window.show();
        QVERIFY(!window.firstActivation());
        QCOMPARE(lang::LangRuntime::instance().currentLanguage(), 1);
        QCOMPARE(window.menu(QStringLiteral("mnuFile"))->title(), LangString(1066));
        QCOMPARE(window.menu(QStringLiteral("mnuFile"))->title(), QStringLiteral("&Archivo"));
        QCOMPARE(window.toolButton(QStringLiteral("OPEN"))->toolTip(), LangString(1236));
        QCOMPARE(platform::editorPath(), QStringLiteral("/usr/bin/gimp"));
        // A later activation does not apply the texts again.
        window.menu(QStringLiteral("mnuFile"))->setTitle(QStringLiteral("x"));
        QApplication::sendEvent(&window, new QEvent(QEvent::WindowActivate));
        QCOMPARE(window.menu(QStringLiteral("mnuFile"))->title(), QStringLiteral("x"));
    }

    void firstStartSpeaksLanguageTwoWithoutAsking()
    {
        ScriptedUi ui; // a chooser would be an unexpected dialog
        mdiORVLA window;
        window.show();
        QCOMPARE(window.menu(QStringLiteral("mnuFile"))->title(), QStringLiteral("&File"));
        QCOMPARE(setting(QStringLiteral("Language")), QStringLiteral("2"));
        QCOMPARE(ui.dialogsShown, 0);
    }

    void missingStringShowsInvalidIndexAndTheRestIsSet()
    {
        // The table ends at 1300: 1312 (the product site item) lies outside it; 1066 is empty.
        QList<QByteArray> lines;
        for (int n = 1000; n <= 1300; n += 2) {
            const QByteArray number = QByteArray::number(n);
            lines.append("S" + number + "=" + (n == 1066 ? QByteArray("\"\"") : "T" + number));
        }
        TestDatabase db;
        db.header("NumLanguages=1")
            .header("Language1=Only")
            .header("Language1Start=@Only@")
            .header("NumStrings=151")
            .header("StringIndexBase=1000")
            .header("StringIndexStep=2")
            .section("Only", lines);
        m_env->writeFile(QStringLiteral("Spoken.DBF"), db.bytes());
        ScriptedUi ui;
        mdiORVLA window;
        window.show();
        QCOMPARE(window.menu(QStringLiteral("mnuFile"))->title(), QString());
        QCOMPARE(window.menuItem(QStringLiteral("mnuORVLASite"))->text(),
                 QStringLiteral("Invalid Index"));
        QCOMPARE(window.menuItem(QStringLiteral("mnuNew"))->text(), QStringLiteral("T1080"));
        QCOMPARE(window.menuItem(QStringLiteral("mnuAbout"))->text(), QStringLiteral("T1038"));
        QCOMPARE(window.toolButton(QStringLiteral("HELP"))->toolTip(), QStringLiteral("T1296"));
        QVERIFY(window.menuItem(QStringLiteral("mnuSepara0100"))->isSeparator());
        QVERIFY(window.menuItem(QStringLiteral("mnuSepara0100"))->text().isEmpty());
    }

    void toolbarKeysDispatchToTheirMenuCommands()
    {
        ScriptedUi ui;
        mdiORVLA window;
        window.show();
        window.dispatchToolbarKey(QStringLiteral("new")); // keys are case-sensitive
        window.dispatchToolbarKey(QStringLiteral("BOLD"));
        QCOMPARE(window.mdiArea()->subWindowList().size(), 0);
        window.dispatchToolbarKey(QStringLiteral("NEW"));
        QCOMPARE(window.mdiArea()->subWindowList().size(), 1);
        // OPEN asks for a cover-set file; cancelling opens nothing.
        ui.answerFile(QString());
        window.toolButton(QStringLiteral("OPEN"))->trigger();
        QCOMPARE(ui.fileRequests.size(), 1);
        QCOMPARE(window.mdiArea()->subWindowList().size(), 1);
    }

    void languageCommandReloadsAndRelocalisesTheMainWindowOnly()
    {
        ScriptedUi ui;
        mdiORVLA window;
        window.show();
        window.mnuNew_Click();
        auto* document =
            qobject_cast<frmMenu*>(window.mdiArea()->subWindowList().first()->widget());
        const QString frontTab = document->SSTab1()->tabText(0);
        ui.answerDialog(chooseRow(3)); // Deutsch
        window.mnuLanguage_Click();
        QCOMPARE(lang::LangRuntime::instance().currentLanguage(), 4);
        QCOMPARE(setting(QStringLiteral("Language")), QStringLiteral("4"));
        QCOMPARE(window.menu(QStringLiteral("mnuFile"))->title(), LangString(1066));
        QVERIFY(window.menu(QStringLiteral("mnuFile"))->title() != QStringLiteral("&File"));
        QCOMPARE(document->SSTab1()->tabText(0), frontTab);
    }

    void languageSwitchOnTheCommandLineCountsForTheLanguageCommand()
    {
        const QStringList arguments = {QStringLiteral("/L=Francais")};
        lang::LangRuntime::instance().setCommandLine(arguments);
        ScriptedUi ui;
        mdiORVLA window(arguments);
        window.show();
        // A switch alone opens no document window.
        QCOMPARE(window.mdiArea()->subWindowList().size(), 0);
        QCOMPARE(lang::LangRuntime::instance().currentLanguage(), 2);
        window.mnuLanguage_Click(); // no chooser: the switch decides
        QCOMPARE(lang::LangRuntime::instance().currentLanguage(), 3);
        QCOMPARE(ui.dialogsShown, 0);
    }

    void commandLineFileSpeaksTheSavedLanguage()
    {
        saveSetting(QStringLiteral("Language"), QStringLiteral("3"));
        const QString path = m_env->path(QStringLiteral("missing set.ovc"));
        ScriptedUi ui; // no chooser expected
        mdiORVLA window(path.split(QLatin1Char(' ')));
        QCOMPARE(window.mdiArea()->subWindowList().size(), 1);
        auto* document =
            qobject_cast<frmMenu*>(window.mdiArea()->subWindowList().first()->widget());
        QCOMPARE(document->windowTitle(), path);
        QCOMPARE(lang::LangRuntime::instance().currentLanguage(), 3);
        QCOMPARE(ui.dialogsShown, 0);
        window.show();
        QCOMPARE(lang::LangRuntime::instance().currentLanguage(), 3);
    }

    void commandLineFileWithoutSavedLanguageAsks()
    {
        const QString path = m_env->path(QStringLiteral("new.ovc"));
        ScriptedUi ui;
        ui.answerDialog(chooseRow(0));
        mdiORVLA window({path});
        QCOMPARE(ui.dialogsShown, 1);
        QCOMPARE(setting(QStringLiteral("Language")), QStringLiteral("1"));
        QCOMPARE(window.mdiArea()->subWindowList().size(), 1);
    }

    void productSiteOpensTheBuildsAddressOrTheHelp()
    {
        ScriptedUi ui;
        UrlRecorder recorder;
        mdiORVLA window({}, m_env->folder());
        window.show();
        window.mnuORVLASite_Click();
        const QString address = platform::productWebAddress();
        // No address in the code: whatever the build names, or nothing.
        QVERIFY(!address.contains(QStringLiteral("example")));
        if (address.isEmpty()) {
            QVERIFY(recorder.urls.isEmpty());
            QVERIFY(HelpWindow::openWindow() && HelpWindow::openWindow()->isVisible());
            delete HelpWindow::openWindow();
        } else {
            QCOMPARE(recorder.urls, QList<QUrl>{QUrl::fromUserInput(address)});
            QVERIFY(ui.busyCalls >= 1);
        }
        QCOMPARE(ui.busyDepth, 0);
    }

    // Writing on a face: the panel's field changes the face as one step however much is
    // typed, keeps its own editing keys while Undo stays the set's, and the face itself moves
    // and deletes its selected block.
    void writingOnAFace()
    {
        ScriptedUi ui;
        mdiORVLA window;
        window.show();
        // Shortcuts reach only the active window.
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.mnuNew_Click();
        CoverSet& set = window.activeCover()->set();
        set.setPosition(kBackFace);
        window.mnuText_Click();
        TextPanel* panel = window.textPanel();
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->coverSet(), &set);
        panel->addText();
        QCOMPARE(set.face(kBackFace).texts().size(), 1);
        QCOMPARE(set.selectedText(), 0);
        const int steps = set.undoStack().count();

        QPlainTextEdit* field = panel->textField();
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, QStringLiteral("Track list"));
        QCOMPARE(set.face(kBackFace).texts()[0].text, QStringLiteral("Track list"));
        QCOMPARE(set.undoStack().count(), steps + 1);
        QVERIFY(set.needSave());

        // Select All and Copy are the field's (not Save As and Copy picture); Undo is the set's.
        QSignalSpy copyPicture(window.menuItem(QStringLiteral("mnuCopyClip")), &QAction::triggered);
        QSignalSpy saveAs(window.menuItem(QStringLiteral("mnuSaveAs")), &QAction::triggered);
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Track list"));
        QCOMPARE(copyPicture.count() + saveAs.count(), 0);
        QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(set.face(kBackFace).texts()[0].text, LangString(1528));
        QCOMPARE(field->toPlainText(), LangString(1528));

        // Dragged on the face by 40 pixels, then nudged and deleted with the keys.
        auto* area = window.activeCover()->frmCover()->findChild<ImageArea*>(QStringLiteral("imgBack"));
        QVERIFY(area && area->isVisible());
        const QRectF face = area->contentsRect();
        const QRectF box = set.face(kBackFace).texts()[0].box;
        const QPoint grab = (face.topLeft() + QPointF(box.center().x() * face.width() / 150,
                                                      box.center().y() * face.height() / 118))
                                .toPoint();
        QTest::mousePress(area, Qt::LeftButton, {}, grab);
        QMouseEvent move(QEvent::MouseMove, QPointF(grab + QPoint(40, 0)), area->mapToGlobal(QPointF(grab + QPoint(40, 0))),
                         Qt::NoButton, Qt::LeftButton, {});
        QCoreApplication::sendEvent(area, &move);
        QTest::mouseRelease(area, Qt::LeftButton, {}, grab + QPoint(40, 0));
        const QRectF moved = set.face(kBackFace).texts()[0].box;
        QVERIFY2(qAbs(moved.left() - (box.left() + 40 * 150 / face.width())) < 0.02,
                 qPrintable(QString::number(moved.left())));
        QCOMPARE(moved.top(), box.top());
        area->setFocus();
        QTest::keyClick(area, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(set.face(kBackFace).texts()[0].box.top(), box.top() + 5);
        QTest::keyClick(area, Qt::Key_Delete);
        QVERIFY(set.face(kBackFace).texts().isEmpty());
        QCOMPARE(panel->blockList()->count(), 0);
    }

    // A track list from the Text panel: files chosen in one dialog and read under the busy
    // cursor; the list on the current face and, when asked, the album's line on the Front and
    // the spines, all one step; the file that gave no tracks named once the rest are there.
    // Lines pasted into the field keep their tabs.
    void trackListFromFiles()
    {
        ScriptedUi ui;
        mdiORVLA window;
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.mnuNew_Click();
        CoverSet& set = window.activeCover()->set();
        set.setPosition(kBackFace);
        window.mnuText_Click();
        TextPanel* panel = window.textPanel();
        m_env->writeFile(QStringLiteral("disc/album.wav"), audiosamples::silentWav(9000));
        const QString cue = m_env->writeFile(
            QStringLiteral("disc/album.cue"),
            "PERFORMER \"The Lanterns\"\nTITLE \"Night Harbour\"\nFILE \"album.wav\" WAVE\n"
            "TRACK 01 AUDIO\nTITLE \"Caf\xC3\xA9\"\nINDEX 01 00:00:00\n"
            "TRACK 02 AUDIO\nTITLE \"Se\xC3\xB1or\"\nINDEX 01 00:04:00\n");
        const QString broken = m_env->writeFile(QStringLiteral("broken.mp3"), "ID3 and no more");
        ui.answerFiles({cue, broken});
        ui.answerMessage(platform::MsgResult::Yes); // the album's line too
        ui.answerMessage(platform::MsgResult::Ok);  // the file that gave nothing
        const int steps = set.undoStack().count();
        panel->trackListButton()->click();
        QVERIFY(ui.scriptDone());
        QCOMPARE(ui.fileRequests.constFirst().kind, platform::FileDialogRequest::Kind::OpenFiles);
        QVERIFY(ui.fileRequests.constFirst().filter.contains(QStringLiteral("*.cue")));
        const QString album = QStringLiteral("The Lanterns \u2014 Night Harbour");
        QVERIFY(ui.messages[0].text.contains(album));
        QVERIFY(ui.messages[1].text.contains(broken));
        QVERIFY(ui.busyCalls > 0);
        QCOMPARE(ui.busyDepth, 0);

        const TextBlocks back = set.face(kBackFace).texts();
        QCOMPARE(back.size(), 3);
        QCOMPARE(back[2].text, QStringLiteral("1. Caf\u00e9\t0:04\n2. Se\u00f1or\t0:05\n") +
                                   LangString(1614) + QStringLiteral("\t0:09"));
        QCOMPARE(panel->textField()->toPlainText(), back[2].text);
        QCOMPARE(back[0].text, album);
        QCOMPARE(back[1].rotation, back[0].rotation);
        QCOMPARE(set.face(0).texts().constFirst().text, album);
        QCOMPARE(set.undoStack().count(), steps + 1);
        // Undone from another face in one step; the face the list went on is shown.
        set.setPosition(0);
        window.mnuUndo_Click();
        QVERIFY(set.face(kBackFace).texts().isEmpty() && set.face(0).texts().isEmpty());
        QCOMPARE(set.position(), kBackFace);

        const QString pasted = QStringLiteral("1. One\t3:45\n2. Two\t4:02\n\t7:47");
        QGuiApplication::clipboard()->setText(pasted);
        panel->addText();
        QTest::keyClick(panel->textField(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(set.face(kBackFace).texts().constFirst().text, pasted);
    }

private:
    std::unique_ptr<LangTestEnv> m_env;
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
