// Clipboard copy and paste, dropped files and dragged pictures, with real mime data, real
// drag and drop events and the offscreen clipboard.
#include "CoverTestSupport.h"
#include "ImageArea.h"
#include "Picture.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QTabWidget>
#include <QTest>
#include <QUrl>

using platform::MsgResult;

namespace {

QMimeData* filesData(const QStringList& paths)
{
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const QString& p : paths)
        urls.append(QUrl::fromLocalFile(p));
    data->setUrls(urls);
    return data;
}

// Sends a drag entering the widget and, when it was accepted, the drop; the drag's data
// goes away as the drop returns, as a real drag's does. `afterwards` runs the work the drop
// left for the event loop.
bool dropOn(QWidget* target, QMimeData* data, bool afterwards = true)
{
    const QPoint pos = target->rect().center();
    QDragEnterEvent enter(pos, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    const bool accepted = enter.isAccepted();
    if (accepted) {
        QDropEvent drop(QPointF(pos), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
    }
    delete data;
    if (afterwards)
        QCoreApplication::processEvents();
    return accepted;
}

QRgb centreColour(const platform::Picture& picture)
{
    const QImage image = picture.image();
    return image.pixel(image.width() / 2, image.height() / 2);
}

} // namespace

class TestDrops : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QGuiApplication::clipboard()->clear(); }

    void theLastDroppedFileDecides()
    {
        CoverFixture f;
        f.window->mnuNew_Click();
        frmMenu* doc = f.documents().first();
        const QString red = f.picture(QStringLiteral("red.png"), Qt::red);
        const QString blue = f.picture(QStringLiteral("blue.PNG"), Qt::blue);
        QVERIFY(dropOn(doc->imageArea(0), filesData({red, blue})));
        QCOMPARE(doc->Cover()->FilePictureFront(), blue);
        QCOMPARE(centreColour(doc->imageArea(0)->picture()), QColor(Qt::blue).rgb());
        QVERIFY(doc->Cover()->NeedSave());
        // Copy follows at once: the drop updated the commands.
        QVERIFY(f.window->menuItem(QStringLiteral("mnuCopyClip"))->isEnabled());
    }

    void modernExtensionsCountAndOthersAreRefused()
    {
        CoverFixture f;
        f.window->mnuNew_Click();
        frmMenu* doc = f.documents().first();
        QImage image(6, 6, QImage::Format_RGB32);
        image.fill(Qt::green);
        const QString jpeg = f.env.path(QStringLiteral("photo.jpeg"));
        image.save(jpeg, "JPEG");
        QVERIFY(dropOn(doc->imageArea(0), filesData({jpeg})));
        QCOMPARE(doc->Cover()->FilePictureFront(), jpeg);
        const QString text = f.env.writeFile(QStringLiteral("notes.txt"), "hello");
        QVERIFY(!dropOn(doc->imageArea(1), filesData({jpeg, text})));
        QVERIFY(doc->Cover()->FilePictureInside().isEmpty());
    }

    void aBrokenPictureChangesNothing()
    {
        CoverFixture f;
        f.window->mnuNew_Click();
        frmMenu* doc = f.documents().first();
        const QString broken = f.env.writeFile(QStringLiteral("broken.gif"), "GIF89a");
        f.ui.answerMessage(MsgResult::Ok);
        QVERIFY(dropOn(doc->imageArea(2), filesData({broken})));
        QCOMPARE(f.ui.messages.last().text, LangString(1126));
        QVERIFY(doc->Cover()->FilePictureBack().isEmpty());
        QVERIFY(!doc->Cover()->NeedSave());
    }

    // The drop returns before it asks or loads anything: the program the files came from
    // is not kept waiting. The work follows from the event loop.
    void dropsReturnBeforeTheirWork()
    {
        CoverFixture f;
        f.window->mnuNew_Click();
        frmMenu* doc = f.documents().first();
        const QString broken = f.env.writeFile(QStringLiteral("broken.gif"), "GIF89a");
        f.ui.answerMessage(MsgResult::Ok);
        QVERIFY(dropOn(doc->imageArea(2), filesData({broken}), false));
        QVERIFY(f.ui.messages.isEmpty());
        QCoreApplication::processEvents();
        QCOMPARE(f.ui.messages.size(), 1);

        const QString red = f.picture(QStringLiteral("red.png"));
        const QString set = f.env.writeFile(QStringLiteral("dropped.ovc"),
                                            "[Files]\r\nImgFront=" + red.toUtf8() + "\r\n");
        QVERIFY(dropOn(f.window->mdiArea()->viewport(), filesData({set}), false));
        QCOMPARE(f.documents().size(), 1);
        QCoreApplication::processEvents();
        QCOMPARE(f.documents().size(), 2);
        // The commands follow the faces as loaded: the Front shows a picture to copy.
        QVERIFY(f.window->menuItem(QStringLiteral("mnuCopyClip"))->isEnabled());
    }

    void mainWindowOpensCoverSetsAndIgnoresPictures()
    {
        CoverFixture f;
        QWidget* free = f.window->mdiArea()->viewport();
        const QString red = f.picture(QStringLiteral("red.png"));
        QVERIFY(!dropOn(free, filesData({red})));
        QCOMPARE(f.documents().size(), 0);
        const QString set = f.env.writeFile(QStringLiteral("dropped.OVC"),
                                            "[Files]\r\nImgCd=" + red.toUtf8() + "\r\n");
        QVERIFY(dropOn(free, filesData({red, set})));
        QCOMPARE(f.documents().size(), 1);
        frmMenu* doc = f.documents().first();
        QCOMPARE(doc->windowTitle(), set);
        QVERIFY(doc->imageArea(3)->hasPicture());
        QCOMPARE(f.window->activeCover(), doc->Cover());
        QVERIFY(dropOn(free, filesData({set})));
        QCOMPARE(f.documents().size(), 2); // always a new window
    }

    void coverSetOnAFaceReplacesTheWindowAfterTheQuestion()
    {
        CoverFixture f;
        f.window->mnuNew_Click();
        frmMenu* doc = f.documents().first();
        const auto cover = doc->Cover();
        const QString red = f.picture(QStringLiteral("red.png"));
        const QString set = f.env.writeFile(QStringLiteral("other.ovc"),
                                            "[Files]\r\nImgInside=" + red.toUtf8() + "\r\n");
        cover->setNeedSave(true);
        f.ui.answerMessage(MsgResult::Cancel);
        QVERIFY(dropOn(doc->imageArea(0), filesData({set})));
        QCOMPARE(f.ui.messages.last().text, LangString(1272));
        QCOMPARE(doc->windowTitle(), LangString(1338));
        QVERIFY(cover->NeedSave());

        f.ui.answerMessage(MsgResult::No);
        QVERIFY(dropOn(doc->imageArea(0), filesData({set})));
        QCOMPARE(doc->windowTitle(), set);
        QCOMPARE(cover->FilePictureInside(), red);
        QVERIFY(doc->imageArea(1)->hasPicture());
        QVERIFY(!cover->NeedSave());
        QCOMPARE(f.documents().size(), 1);
        QVERIFY(f.ui.scriptDone());
    }

    void aDraggedFaceCopiesThePictureNotItsFile()
    {
        CoverFixture f;
        f.window->mnuNew_Click();
        f.window->mnuNew_Click();
        frmMenu* a = f.documents().at(0);
        frmMenu* b = f.documents().at(1);
        const QString red = f.picture(QStringLiteral("red.png"));
        const QString old = f.picture(QStringLiteral("old.png"), Qt::yellow);
        a->Cover()->setFilePictureFront(red);
        a->Cover()->LoadFrmCover();
        b->Cover()->setFilePictureFront(old);
        b->Cover()->LoadFrmCover();
        QVERIFY(dropOn(b->imageArea(0), a->imageArea(0)->dragMimeData()));
        QVERIFY(b->imageArea(0)->picture().sameAs(a->imageArea(0)->picture()));
        QCOMPARE(b->Cover()->FilePictureFront(), old);
        QVERIFY(b->Cover()->NeedSave());
        QVERIFY(!a->Cover()->NeedSave());

        // Saved, it is asked for as a bitmap and comes back when the set is opened again.
        const QString set = f.env.path(QStringLiteral("b.ovc"));
        const QString bitmap = f.env.path(QStringLiteral("front.bmp"));
        f.ui.answerFile(set);
        f.ui.answerFile(bitmap);
        b->Cover()->SaveCover(1);
        QVERIFY(!b->Cover()->NeedSave());
        f.ui.answerFile(set);
        f.window->mnuOpen_Click();
        frmMenu* reopened = f.window->activeCover()->frmCover();
        QCOMPARE(reopened->Cover()->FilePictureFront(), bitmap);
        QCOMPARE(centreColour(reopened->imageArea(0)->picture()), QColor(Qt::red).rgb());
    }

    // Every kind of face change is one step of its own window's undo: Insert picture, a
    // dropped file, Paste, Ctrl+G, another face dragged over, Delete picture. Undo brings back
    // the picture and the file the face had; Redo goes forward again.
    void everyFaceChangeUndoesAndRedoes()
    {
        CoverFixture f;
        f.window->mnuNew_Click();
        frmMenu* source = f.documents().at(0);
        source->Cover()->setFilePictureFront(f.picture(QStringLiteral("yellow.png"), Qt::yellow));
        source->Cover()->LoadFrmCover();
        f.window->mnuNew_Click();
        frmMenu* doc = f.documents().at(1);
        const auto cover = doc->Cover();
        QAction* undo = f.window->menuItem(QStringLiteral("mnuUndo"));
        QAction* redo = f.window->menuItem(QStringLiteral("mnuRedo"));
        QCOMPARE(undo->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(redo->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
        QVERIFY(!undo->isEnabled());

        const QString red = f.picture(QStringLiteral("red.png"), Qt::red);
        const QString blue = f.picture(QStringLiteral("blue.png"), Qt::blue);
        QImage magenta(9, 9, QImage::Format_RGB32);
        magenta.fill(Qt::magenta);
        f.ui.answerFile(red);
        f.window->mnuInsertPicture_Click();
        QVERIFY(undo->isEnabled());
        QVERIFY(dropOn(doc->imageArea(0), filesData({blue})));
        QGuiApplication::clipboard()->setImage(magenta);
        f.window->mnuPasteClip_Click();
        QTest::keyClick(doc, Qt::Key_G, Qt::ControlModifier);
        QVERIFY(dropOn(doc->imageArea(0), source->imageArea(0)->dragMimeData()));
        f.window->mnuDeletePicture_Click();

        // What the Front face shows and names after each step, from the first to the last.
        struct State
        {
            QColor colour; // invalid: no picture
            QString file;
        };
        const QList<State> states = {{QColor(), QString()},  {Qt::red, red},
                                     {Qt::blue, blue},       {Qt::magenta, blue},
                                     {QColor(), blue},       {Qt::yellow, blue},
                                     {QColor(), QString()}};
        const auto check = [&](int step) {
            const State& want = states.at(step);
            const ImageArea* area = doc->imageArea(0);
            QCOMPARE(cover->FilePictureFront(), want.file);
            QCOMPARE(area->hasPicture(), want.colour.isValid());
            if (want.colour.isValid())
                QCOMPARE(centreColour(area->picture()), want.colour.rgb());
        };
        check(6);
        for (int step = 5; step >= 0; --step) {
            cover->setNeedSave(false);
            undo->trigger();
            check(step);
            QVERIFY(cover->NeedSave());
        }
        QVERIFY(!undo->isEnabled());
        QVERIFY(redo->isEnabled());
        // Copy follows the picture an undo brought back.
        redo->trigger();
        check(1);
        QVERIFY(f.window->menuItem(QStringLiteral("mnuCopyClip"))->isEnabled());
        for (int step = 2; step <= 6; ++step) {
            redo->trigger();
            check(step);
        }
        QVERIFY(!redo->isEnabled());

        // Undo shows the face it changes, whichever tab was open.
        doc->SSTab1()->setCurrentIndex(2);
        f.ui.answerFile(red);
        f.window->mnuInsertPicture_Click();
        QVERIFY(doc->imageArea(2)->hasPicture());
        doc->SSTab1()->setCurrentIndex(0);
        undo->trigger();
        QCOMPARE(doc->SSTab1()->currentIndex(), 2);
        QVERIFY(!doc->imageArea(2)->hasPicture());
        doc->SSTab1()->setCurrentIndex(1);
        redo->trigger();
        QCOMPARE(doc->SSTab1()->currentIndex(), 2);
        QVERIFY(doc->imageArea(2)->hasPicture());

        // The other window has a history of its own, and one read from its file starts
        // with none.
        f.window->mdiArea()->setActiveSubWindow(
            qobject_cast<QMdiSubWindow*>(source->parentWidget()));
        QVERIFY(!undo->isEnabled());
        QVERIFY(source->imageArea(0)->hasPicture());
    }

    void pasteTakesTheBitmapFirstAndAlwaysMarksTheSet()
    {
        CoverFixture f;
        f.window->mnuNew_Click();
        frmMenu* doc = f.documents().first();
        const auto cover = doc->Cover();
        // Text only: the face stays, the set is changed all the same.
        QGuiApplication::clipboard()->setText(QStringLiteral("just words"));
        f.window->mnuPasteClip_Click();
        QVERIFY(!doc->imageArea(0)->hasPicture());
        QVERIFY(cover->NeedSave());

        QImage image(9, 9, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        auto* both = new QMimeData;
        both->setImageData(image);
        both->setData(QStringLiteral("image/x-wmf"), QByteArray("not really a metafile"));
        QGuiApplication::clipboard()->setMimeData(both);
        doc->SSTab1()->setCurrentIndex(2);
        f.window->mnuPasteClip_Click();
        QCOMPARE(doc->imageArea(2)->picture().kind(), platform::Picture::Kind::Bitmap);
        QCOMPARE(centreColour(doc->imageArea(2)->picture()), QColor(Qt::magenta).rgb());
        QVERIFY(cover->FilePictureBack().isEmpty());
    }

    void copyLeavesTheClipboardAloneForAnEmptyFace()
    {
        CoverFixture f;
        f.window->mnuNew_Click();
        frmMenu* doc = f.documents().first();
        QGuiApplication::clipboard()->setText(QStringLiteral("keep me"));
        f.window->mnuCopyClip_Click();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("keep me"));
        doc->Cover()->setFilePictureFront(f.picture(QStringLiteral("c.png"), Qt::cyan));
        doc->Cover()->LoadFrmCover();
        f.window->mnuCopyClip_Click();
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.pixel(copied.width() / 2, copied.height() / 2), QColor(Qt::cyan).rgb());
    }

    void aPastedPictureSurvivesSaveUndoAndReopen()
    {
        CoverFixture f;
        f.window->mnuNew_Click();
        frmMenu* doc = f.documents().first();
        const auto cover = doc->Cover();
        const QString old = f.picture(QStringLiteral("old.png"), Qt::yellow);
        cover->setFilePictureFront(old);
        cover->LoadFrmCover();
        QImage image(12, 12, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        QGuiApplication::clipboard()->setImage(image);
        f.window->mnuPasteClip_Click();
        QCOMPARE(cover->FilePictureFront(), old);

        const QString set = f.env.path(QStringLiteral("p.ovc"));
        const QString bitmap = f.env.path(QStringLiteral("pasted.bmp"));
        f.ui.answerFile(set);
        f.ui.answerFile(bitmap);
        f.window->mnuSave_Click();
        QVERIFY(f.ui.scriptDone());
        // Undone and redone past the save, the face still shows the file the save wrote: the
        // next save asks nothing and writes no second bitmap.
        f.window->mnuUndo_Click();
        QCOMPARE(cover->FilePictureFront(), old);
        f.window->mnuRedo_Click();
        QCOMPARE(cover->FilePictureFront(), bitmap);
        QVERIFY(cover->NeedSave());
        f.window->mnuSave_Click();
        QCOMPARE(f.ui.fileRequests.size(), 2);
        QVERIFY(!cover->NeedSave());
        f.ui.answerFile(set);
        f.window->mnuOpen_Click();
        const auto reopened = f.window->activeCover();
        QCOMPARE(reopened->FilePictureFront(), bitmap);
        QCOMPARE(centreColour(reopened->frmCover()->imageArea(0)->picture()),
                 QColor(Qt::darkGreen).rgb());
    }

    void fileManagerCopiedPictureFilePastes()
    {
        CoverFixture f;
        f.window->mnuNew_Click();
        frmMenu* doc = f.documents().first();
        const QString blue = f.picture(QStringLiteral("blue.png"), Qt::blue);
        QGuiApplication::clipboard()->setMimeData(filesData({blue}));
        doc->SSTab1()->setCurrentIndex(1);
        QVERIFY(f.window->menuItem(QStringLiteral("mnuPasteClip"))->isEnabled());
        f.window->mnuPasteClip_Click();
        QVERIFY(doc->imageArea(1)->hasPicture());
        QCOMPARE(centreColour(doc->imageArea(1)->picture()), QColor(Qt::blue).rgb());
        // As if dropped: the face takes the file, so saving asks for no bitmap.
        QCOMPARE(doc->Cover()->FilePictureInside(), blue);
        f.ui.answerFile(f.env.path(QStringLiteral("pasted.ovc")));
        f.window->mnuSave_Click();
        QVERIFY(f.ui.scriptDone());
        QVERIFY(!doc->Cover()->NeedSave());
    }

    // Every paste asks the clipboard again; the picture is decoded for the first only.
    void copiedPictureIsDecodedOnce()
    {
        CoverFixture f;
        f.window->mnuNew_Click();
        frmMenu* doc = f.documents().first();
        doc->Cover()->setFilePictureFront(f.picture(QStringLiteral("c.jpg"), Qt::cyan));
        doc->Cover()->LoadFrmCover();
        f.window->mnuCopyClip_Click();
        const QImage first = QGuiApplication::clipboard()->image();
        const QImage second = QGuiApplication::clipboard()->image();
        QVERIFY(!first.isNull());
        QCOMPARE(second.constBits(), first.constBits());
    }
};

QTEST_MAIN(TestDrops)
#include "tst_drops.moc"
