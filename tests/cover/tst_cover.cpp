// Cover sets in document windows: the set, its window, and the commands they enable.
#include "CoverTestSupport.h"
#include "ImageArea.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QResizeEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

namespace {

const QStringList kDocumentCommands = {"mnuSave",          "mnuSaveAs", "SAVE",
                                       "mnuPrint",         "PRINT",     "mnuPrintPreview",
                                       "mnuInsertObject",  "OBJECT",    "mnuDeletePicture",
                                       "mnuInsertPicture", "PICTURE",   "mnuCopyClip",
                                       "mnuPasteClip",     "COPY",      "PASTE"};

QAction* command(mdiORVLA& window, const QString& name)
{
    return name.startsWith(QLatin1String("mnu")) ? window.menuItem(name) : window.toolButton(name);
}

QStringList enabledOf(mdiORVLA& window)
{
    QStringList out;
    for (const QString& name : kDocumentCommands) {
        if (command(window, name)->isEnabled())
            out << name;
    }
    return out;
}

void activate(CoverFixture& f, frmMenu* document)
{
    f.window->mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(document->parentWidget()));
}

} // namespace

class TestCover : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The screen copies made while a set loads are the ones painted: a page of the tab
    // control laid out for the first time (a resize to the same size) keeps them, a real
    // size change makes a new one.
    void screenCopiesMadeWhileLoadingArePainted()
    {
        CoverFixture f;
        f.window->mnuNew_Click();
        const auto cover = f.window->activeCover();
        for (int face = 0; face < kFaceCount; ++face)
            cover->setFilePicture(face, f.picture(QStringLiteral("f%1.png").arg(face)));
        cover->LoadFrmCover();
        for (int face = 0; face < kFaceCount; ++face) {
            ImageArea* area = cover->frmCover()->imageArea(face);
            const qint64 loaded = area->screenCopy().cacheKey();
            QResizeEvent same(area->size(), area->size());
            QApplication::sendEvent(area, &same);
            area->grab();
            QCOMPARE(area->screenCopy().cacheKey(), loaded);
            // A size change shows the old copy stretched at once; the sharp one follows.
            area->resize(area->width() - 10, area->height());
            const QPixmap quick = area->screenCopy();
            QVERIFY(quick.cacheKey() != loaded);
            QCOMPARE(quick.size(), area->screenCopySize());
            QTRY_VERIFY(area->screenCopy().cacheKey() != quick.cacheKey());
            QCOMPARE(area->screenCopy().toImage(),
                     QPixmap::fromImage(area->picture().scaledImage(area->screenCopySize()))
                         .toImage());
        }
    }

    void init() { QGuiApplication::clipboard()->clear(); }

    void newCoverSetIsEmptyAndUntitled()
    {
        CoverFixture f;
        f.window->mnuNew_Click();
        QCOMPARE(f.documents().size(), 1);
        frmMenu* doc = f.documents().first();
        const auto cover = doc->Cover();
        QVERIFY(cover);
        QCOMPARE(cover.get(), f.window->activeCover().get());
        QCOMPARE(cover->frmCover(), doc);
        QCOMPARE(doc->windowTitle(), LangString(1338));
        QCOMPARE(doc->SSTab1()->currentIndex(), 0);
        QCOMPARE(cover->Position(), 0);
        QVERIFY(!cover->NeedSave());
        for (int face = 0; face < 4; ++face)
            QVERIFY(!doc->imageArea(face)->hasPicture());
        QCOMPARE(doc->SSTab1()->tabText(3), QStringLiteral("&Cd"));
        QCOMPARE(doc->SSTab1()->tabText(0), LangString(1166));
        QVERIFY(doc->imageArea(2)->width() > doc->imageArea(0)->width());
        QVERIFY(doc->imageArea(2)->height() > doc->imageArea(0)->height());
    }

    void newTwiceGivesTwoSetsAndActivationSwitchesThem()
    {
        CoverFixture f;
        f.window->mnuNew_Click();
        f.window->mnuNew_Click();
        const QList<frmMenu*> docs = f.documents();
        QCOMPARE(docs.size(), 2);
        QVERIFY(docs[0]->Cover() != docs[1]->Cover());
        activate(f, docs[0]);
        QCOMPARE(f.window->activeCover(), docs[0]->Cover());
        activate(f, docs[1]);
        QCOMPARE(f.window->activeCover(), docs[1]->Cover());
        // Save acts on the set of the window activated last.
        f.ui.answerFile(QString());
        f.window->mnuSave_Click();
        QVERIFY(f.ui.scriptDone());
    }

    void facesLoadInOrderAndEachFailureHasItsOwnMessage()
    {
        CoverFixture f;
        f.window->mnuNew_Click();
        const auto cover = f.window->activeCover();
        const QString inside = f.picture(QStringLiteral("inside.png"));
        cover->setFilePictureFront(f.env.path(QStringLiteral("gone-front.png")));
        cover->setFilePictureInside(inside);
        cover->setFilePictureBack(f.env.path(QStringLiteral("gone-back.png")));
        cover->setFilePictureCd(f.env.writeFile(QStringLiteral("cd.png"), "not a picture"));
        cover->setFileCover(QStringLiteral("/somewhere/set.ovc"));
        f.ui.answerMessage(MsgResult::Ok);
        f.ui.answerMessage(MsgResult::Ok);
        f.ui.answerMessage(MsgResult::Ok);
        cover->LoadFrmCover();
        QCOMPARE(f.ui.messages.size(), 3);
        const int expected[] = {1174, 1126, 1134};
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(f.ui.messages[i].text, LangString(expected[i]));
            QCOMPARE(f.ui.messages[i].title, QStringLiteral("ORVLA"));
            QCOMPARE(f.ui.messages[i].buttons, MsgButtons::Ok);
            QCOMPARE(f.ui.messages[i].icon, MsgIcon::None);
        }
        frmMenu* doc = cover->frmCover();
        QVERIFY(!doc->imageArea(0)->hasPicture());
        QVERIFY(doc->imageArea(1)->hasPicture());
        QCOMPARE(cover->FilePictureFront(), f.env.path(QStringLiteral("gone-front.png")));
        QCOMPARE(cover->FilePictureInside(), inside);
        QCOMPARE(doc->windowTitle(), QStringLiteral("/somewhere/set.ovc"));
        QVERIFY(!cover->NeedSave());
        QCOMPARE(f.documents().size(), 1); // the same window is reused
    }

    void accessorsStoreAndTheTabFollows()
    {
        CoverFixture f;
        f.window->mnuNew_Click();
        const auto cover = f.window->activeCover();
        cover->setFilePictureFront(f.picture(QStringLiteral("front.png")));
        cover->setPosition(2);
        cover->setFileCover(QStringLiteral("x.ovc"));
        QVERIFY(!cover->frmCover()->imageArea(0)->hasPicture());
        QCOMPARE(cover->frmCover()->SSTab1()->currentIndex(), 2); // the tab shows the set's face
        QCOMPARE(cover->frmCover()->windowTitle(), LangString(1338));
        QVERIFY(!cover->NeedSave());
    }

    void positionFollowsTheTabAndSurvivesReload()
    {
        CoverFixture f;
        f.window->mnuNew_Click();
        const auto cover = f.window->activeCover();
        frmMenu* doc = cover->frmCover();
        QTest::mouseClick(doc->SSTab1()->tabBar(), Qt::LeftButton, {},
                          doc->SSTab1()->tabBar()->tabRect(2).center());
        QCOMPARE(cover->Position(), 2);
        cover->LoadFrmCover();
        QCOMPARE(cover->Position(), 2);
        QCOMPARE(doc->SSTab1()->currentIndex(), 2);
    }

    // Every command follows each change of the active set, its current face and the
    // clipboard at once; the menu, the toolbar and the pop-up show one action per command.
    void commandsFollowEveryChangeAtOnce()
    {
        CoverFixture f;
        QVERIFY(enabledOf(*f.window).isEmpty());
        f.window->mnuNew_Click();
        frmMenu* doc = f.documents().first();
        activate(f, doc);
        for (const auto& [item, key] : {std::pair{"mnuSave", "SAVE"}, {"mnuCopyClip", "COPY"},
                                        {"mnuPasteClip", "PASTE"}, {"mnuPrint", "PRINT"}}) {
            QAction* action = f.window->menuItem(QLatin1String(item));
            QCOMPARE(f.window->toolButton(QLatin1String(key)), action);
            QVERIFY(f.window->editMenu()->actions().contains(action) ||
                    f.window->menu(QStringLiteral("mnuFile"))->actions().contains(action));
        }
        // Empty face, nothing on the clipboard: all but Copy and Paste.
        QStringList expected = kDocumentCommands;
        for (const char* name : {"mnuCopyClip", "mnuPasteClip", "COPY", "PASTE"})
            expected.removeOne(QLatin1String(name));
        QCOMPARE(enabledOf(*f.window), expected);

        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::blue);
        QGuiApplication::clipboard()->setImage(image);
        QVERIFY(f.window->menuItem(QStringLiteral("mnuPasteClip"))->isEnabled());
        f.window->mnuPasteClip_Click();
        QCOMPARE(enabledOf(*f.window), kDocumentCommands);
        doc->SSTab1()->setCurrentIndex(1); // an empty face: nothing to copy
        QVERIFY(!f.window->menuItem(QStringLiteral("mnuCopyClip"))->isEnabled());
        doc->Cover()->setPosition(0); // and back, from the set's side
        QCOMPARE(doc->SSTab1()->currentIndex(), 0);
        QVERIFY(f.window->menuItem(QStringLiteral("mnuCopyClip"))->isEnabled());
        f.window->mnuDeletePicture_Click();
        QVERIFY(!f.window->toolButton(QStringLiteral("COPY"))->isEnabled());
        f.window->mnuUndo_Click();
        QVERIFY(f.window->toolButton(QStringLiteral("COPY"))->isEnabled());

        // Text only on the clipboard: Paste off.
        QGuiApplication::clipboard()->setText(QStringLiteral("words"));
        QVERIFY(!f.window->toolButton(QStringLiteral("PASTE"))->isEnabled());

        // Closing the last window switches them all off; New and Open stay.
        doc->Cover()->setNeedSave(false);
        QVERIFY(doc->parentWidget()->close());
        QVERIFY(enabledOf(*f.window).isEmpty());
        QVERIFY(f.window->menuItem(QStringLiteral("mnuNew"))->isEnabled());
        QVERIFY(f.window->toolButton(QStringLiteral("OPEN"))->isEnabled());
    }

    void insertingAPictureEnablesCopyOnly()
    {
        CoverFixture f;
        f.window->mnuNew_Click();
        frmMenu* doc = f.documents().first();
        activate(f, doc);
        const QStringList before = enabledOf(*f.window);
        f.ui.answerFile(f.picture(QStringLiteral("p.png")));
        f.window->mnuInsertPicture_Click();
        QVERIFY(doc->imageArea(0)->hasPicture());
        QCOMPARE(enabledOf(*f.window).size(), before.size() + 2);
        QVERIFY(f.window->menuItem(QStringLiteral("mnuCopyClip"))->isEnabled());
        QVERIFY(f.window->toolButton(QStringLiteral("COPY"))->isEnabled());
    }

    void popupIsTheEditMenuItself()
    {
        CoverFixture f;
        f.window->mnuNew_Click();
        QCOMPARE(f.window->editMenu(), f.window->menu(QStringLiteral("mnuEdit")));
        frmMenu* doc = f.documents().first();
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5),
                                doc->imageArea(0)->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(doc->imageArea(0), &click);
        QMenu* edit = f.window->editMenu();
        QTRY_VERIFY(edit->isVisible());
        edit->hide();
    }

    void ctrlGClearsTheShownPictureOnly()
    {
        CoverFixture f;
        f.window->mnuNew_Click();
        const auto cover = f.window->activeCover();
        const QString front = f.picture(QStringLiteral("front.png"));
        const QString cd = f.picture(QStringLiteral("cd.png"));
        cover->setFilePictureFront(front);
        cover->setFilePictureCd(cd);
        cover->LoadFrmCover();
        frmMenu* doc = cover->frmCover();
        doc->SSTab1()->setFocus();
        QTest::keyClick(doc->SSTab1(), Qt::Key_G, Qt::ControlModifier);
        QVERIFY(!doc->imageArea(0)->hasPicture());
        QCOMPARE(cover->FilePictureFront(), front);
        QVERIFY(!cover->NeedSave());
        doc->SSTab1()->setCurrentIndex(3);
        QTest::keyClick(doc->SSTab1(), Qt::Key_G, Qt::ControlModifier);
        QVERIFY(doc->imageArea(3)->hasPicture());
    }

    void closingAsksOnlyWhenChanged()
    {
        CoverFixture f;
        f.window->mnuNew_Click();
        QVERIFY(f.documents().first()->parentWidget()->close()); // unchanged: no question
        QVERIFY(f.ui.messages.isEmpty());

        f.window->mnuNew_Click();
        frmMenu* doc = f.documents().first();
        doc->Cover()->setNeedSave(true);
        f.ui.answerMessage(MsgResult::Cancel);
        QVERIFY(!doc->parentWidget()->close());
        QCOMPARE(f.documents().size(), 1);
        QCOMPARE(f.ui.messages.last().text, LangString(1272));
        QCOMPARE(f.ui.messages.last().buttons, MsgButtons::YesNoCancel);
        QCOMPARE(f.ui.messages.last().icon, MsgIcon::Question);

        // Yes, then a cancelled Save dialog: the window and its changes stay.
        f.ui.answerMessage(MsgResult::Yes);
        f.ui.answerFile(QString());
        QVERIFY(!doc->parentWidget()->close());
        QCOMPARE(f.documents().size(), 1);

        f.ui.answerMessage(MsgResult::No);
        QVERIFY(doc->parentWidget()->close());
        QTRY_COMPARE(f.documents().size(), 0);
        QVERIFY(f.ui.scriptDone());
    }

    void cascadeAndArrangeIconsPlaceTheWindows()
    {
        CoverFixture f;
        f.window->resize(900, 700);
        f.window->mnuNew_Click();
        f.window->mnuNew_Click();
        f.window->mnuNew_Click();
        const QList<QMdiSubWindow*> subs = f.window->mdiArea()->subWindowList();
        f.window->menuItem(QStringLiteral("mnuCascade"))->trigger();
        QVERIFY(subs[1]->pos().x() > subs[0]->pos().x());
        QVERIFY(subs[1]->pos().y() > subs[0]->pos().y());
        subs[0]->showMinimized();
        subs[2]->showMinimized();
        f.window->menuItem(QStringLiteral("mnuArrangeIcons"))->trigger();
        const int bottom = f.window->mdiArea()->viewport()->height();
        QCOMPARE(subs[0]->geometry().bottom() + 1, bottom);
        QCOMPARE(subs[2]->geometry().bottom() + 1, bottom);
        QCOMPARE(subs[0]->pos().x(), 0);
        QCOMPARE(subs[2]->pos().x(), subs[0]->width());
        QVERIFY(!subs[1]->isMinimized());
    }

    void exitAsksForEveryChangedSetAndStopsAtCancel()
    {
        CoverFixture f;
        f.window->mnuNew_Click();
        f.window->mnuNew_Click();
        for (frmMenu* doc : f.documents())
            doc->Cover()->setNeedSave(true);
        f.ui.answerMessage(MsgResult::Cancel);
        f.window->mnuExit_Click();
        QCOMPARE(f.ui.messages.size(), 1); // stopped at the first Cancel
        QVERIFY(f.window->isVisible());
        QCOMPARE(f.documents().size(), 2);

        f.ui.answerMessage(MsgResult::No);
        f.ui.answerMessage(MsgResult::No);
        f.window->mnuExit_Click();
        QCOMPARE(f.ui.messages.size(), 3);
        QVERIFY(!f.window->isVisible());
    }
};

QTEST_MAIN(TestCover)
#include "tst_cover.moc"
