// The cover-set file, the file dialogs, and inserting and deleting face pictures.
#include "AskFileName.h"
#include "CoverSetFile.h"
#include "Faces.h"
#include "CoverTestSupport.h"
#include "ImageArea.h"
#include "PrivateProfile.h"

#include <QDir>
#include <QFile>
#include <QTabWidget>
#include <QTest>

#include <sys/resource.h>

using platform::FileDialogRequest;
using platform::MsgResult;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Records the status texts as the cover set shows them.
class RecordingWindow : public mdiORVLA
{
public:
    void ShowStatus(const QString& text) override
    {
        statuses.append(text);
        mdiORVLA::ShowStatus(text);
    }
    QStringList statuses;
};

} // namespace

class TestCoverFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void askFileNameModes()
    {
        CoverFixture f;
        f.ui.answerFile(QString());
        QCOMPARE(AskFileName(OpenCoverSet), QString());
        f.ui.answerFile(QString());
        AskFileName(99); // any other mode opens a cover set
        f.ui.answerFile(QString());
        AskFileName(OpenPicture);
        f.ui.answerFile(QString());
        AskFileName(SaveBitmap, QStringLiteral("[CD]"));
        const QList<FileDialogRequest>& r = f.ui.fileRequests;
        QCOMPARE(r[0].title, LangString(1290));
        QCOMPARE(r[0].filter, QStringLiteral("All Cover Sets|*.OVC"));
        QVERIFY(r[0].fileMustExist);
        QCOMPARE(r[1].kind, FileDialogRequest::Kind::Open);
        QCOMPARE(r[1].filter, r[0].filter);
        QCOMPARE(r[2].title, LangString(1292));
        QVERIFY(r[2].filter.startsWith(
            QStringLiteral("All image files|*.bmp;*jpg;*.gif;*.dib;*.wmf;*.emf;*.ico;*.cur;")));
        for (const char* ext : {"*.jpeg", "*.png", "*.tif", "*.tiff", "*.webp"})
            QVERIFY2(r[2].filter.contains(QLatin1String(ext)), ext);
        QCOMPARE(r[3].title, LangString(1276) + QStringLiteral("[CD]"));
        QCOMPARE(r[3].kind, FileDialogRequest::Kind::Save);
        QCOMPARE(r[3].filter, QStringLiteral("Bitmap files|*.bmp"));
        QVERIFY(r[3].fileName.isEmpty());
    }

    void saveDialogsGuardTheChosenName()
    {
        CoverFixture f;
        // A typed name without extension gets the filter's, in lower case.
        f.ui.answerFile(f.env.path(QStringLiteral("mine")));
        QCOMPARE(AskFileName(SaveCoverSet), f.env.path(QStringLiteral("mine.ovc")));
        // A missing folder is refused and the dialog comes back.
        f.ui.answerFile(f.env.path(QStringLiteral("nowhere/x.bmp")));
        f.ui.answerMessage(MsgResult::Ok);
        f.ui.answerFile(QString());
        QCOMPARE(AskFileName(SaveBitmap), QString());
        QVERIFY(f.ui.messages.last().text.startsWith(LangString(1372)));
        // Replacing asks; No goes back to the dialog, Yes takes it.
        const QString existing = f.env.writeFile(QStringLiteral("old.bmp"), "x");
        f.ui.answerFile(existing);
        f.ui.answerMessage(MsgResult::No);
        f.ui.answerFile(existing);
        f.ui.answerMessage(MsgResult::Yes);
        QCOMPARE(AskFileName(SaveBitmap), existing);
        QVERIFY(f.ui.messages.last().text.startsWith(LangString(1368)));
        // A read-only file is refused.
        QFile::setPermissions(existing, QFile::ReadOwner | QFile::ReadUser);
        f.ui.answerFile(existing);
        f.ui.answerMessage(MsgResult::Ok);
        f.ui.answerFile(QString());
        QCOMPARE(AskFileName(SaveBitmap), QString());
        QVERIFY2(f.ui.messages.last().text.startsWith(LangString(1370)),
                 qPrintable(f.ui.messages.last().text));
        QVERIFY(f.ui.scriptDone());
    }

    void savingANewSetWritesTheFourKeysInOrder()
    {
        CoverFixture f;
        f.window->mnuNew_Click();
        const auto cover = f.window->activeCover();
        const QString back = f.picture(QStringLiteral("back.png"));
        f.window->activeCover()->setPosition(2);
        f.ui.answerFile(back);
        f.window->mnuInsertPicture_Click();
        const QString set = f.env.path(QStringLiteral("set.ovc"));
        f.ui.answerFile(set);
        f.window->mnuSave_Click(); // no bitmap question: the face has its file
        QVERIFY(f.ui.scriptDone());
        QCOMPARE(readAll(set), QByteArray("[Files]\r\nImgFront=\r\nImgInside=\r\nImgBack=") +
                                   back.toUtf8() + "\r\nImgCd=\r\n");
        QVERIFY(!cover->NeedSave());
        QCOMPARE(cover->FileCover(), set);
        QCOMPARE(cover->frmCover()->windowTitle(), set);
    }

    void savingOverAFileKeepsItsOtherLines()
    {
        CoverFixture f;
        const QByteArray original = "; made by hand\r\n[Other]\r\nKey = value \r\n\r\n"
                                    "[files]\r\nimgback =  /old/back.png  \r\nExtra=1\r\n";
        const QString set = f.env.writeFile(QStringLiteral("kept.ovc"), original);
        f.ui.answerFile(set);
        f.ui.answerMessage(MsgResult::Ok); // the Back picture cannot be loaded
        f.window->mnuOpen_Click();
        const auto cover = f.window->activeCover();
        QCOMPARE(cover->FilePictureBack(), QStringLiteral("/old/back.png"));
        QCOMPARE(cover->FilePictureFront(), QString());
        f.window->mnuSave_Click();
        QCOMPARE(readAll(set),
                 QByteArray("; made by hand\r\n[Other]\r\nKey = value \r\n\r\n[files]\r\n"
                            "ImgBack=/old/back.png\r\nExtra=1\r\nImgFront=\r\nImgInside=\r\n"
                            "ImgCd=\r\n"));
    }

    void bitmapQuestionFollowsWhetherTheShownPictureIsItsFile()
    {
        CoverFixture f;
        f.window->mnuNew_Click();
        const auto cover = f.window->activeCover();
        const QString front = f.picture(QStringLiteral("front.png"));
        cover->setFilePictureFront(front);
        cover->LoadFrmCover();
        QImage pasted(8, 8, QImage::Format_RGB32);
        pasted.fill(Qt::green);
        // Inside: a picture with no file. Back: a picture shown over another file's path.
        cover->set().setPicture(1, platform::Picture::fromImage(pasted));
        cover->setFilePictureBack(QStringLiteral("/old/back.png"));
        cover->set().setPicture(2, platform::Picture::fromImage(pasted));
        cover->setNeedSave(true);

        const QString set = f.env.path(QStringLiteral("s.ovc"));
        const QString inside = f.env.path(QStringLiteral("inside.bmp"));
        f.ui.answerFile(set);
        f.ui.answerFile(inside);
        f.ui.answerFile(QString()); // the Back picture: cancelled
        f.window->mnuSave_Click();
        QVERIFY(f.ui.scriptDone());
        QCOMPARE(f.ui.fileRequests.size(), 3);
        QCOMPARE(f.ui.fileRequests[1].title, LangString(1276) + LangString(1108));
        QCOMPARE(f.ui.fileRequests[2].title, LangString(1276) + LangString(1102));
        QCOMPARE(cover->FilePictureInside(), inside);
        QCOMPARE(QImage(inside).size(), QSize(8, 8));
        QVERIFY(readAll(inside).startsWith("BM"));
        // The old path stays, and so does the unsaved change.
        QCOMPARE(cover->FilePictureBack(), QStringLiteral("/old/back.png"));
        QVERIFY(cover->NeedSave());
        QVERIFY(readAll(set).contains("ImgInside=" + inside.toUtf8()));

        // The next Save asks only for the Back picture.
        const QString backFile = f.env.path(QStringLiteral("back.bmp"));
        f.ui.answerFile(backFile);
        f.window->mnuSave_Click();
        QCOMPARE(f.ui.fileRequests.size(), 4);
        QVERIFY(!cover->NeedSave());
        QCOMPARE(cover->FilePictureBack(), backFile);
    }

    void cdSuffixIsFixed()
    {
        CoverFixture f;
        f.window->mnuNew_Click();
        const auto cover = f.window->activeCover();
        QImage pasted(8, 8, QImage::Format_RGB32);
        pasted.fill(Qt::green);
        cover->set().setPicture(3, platform::Picture::fromImage(pasted));
        cover->setFileCover(f.env.path(QStringLiteral("cd.ovc")));
        f.ui.answerFile(QString());
        cover->SaveCover(1);
        QCOMPARE(f.ui.fileRequests.last().title, LangString(1276) + QStringLiteral("[CD]"));
    }

    void needSaveAfterEachWayOut()
    {
        CoverFixture f;
        f.window->mnuNew_Click();
        const auto cover = f.window->activeCover();
        cover->setNeedSave(true);
        // The set dialog cancelled.
        f.ui.answerFile(QString());
        cover->SaveCover(1);
        QVERIFY(cover->NeedSave());
        QVERIFY(cover->FileCover().isEmpty());
        // Saved.
        const QString set = f.env.path(QStringLiteral("a.ovc"));
        f.ui.answerFile(set);
        cover->SaveCover(1);
        QVERIFY(!cover->NeedSave());
        // Save As cancelled: nothing changes, the name stays.
        cover->setNeedSave(true);
        f.ui.answerFile(QString());
        cover->SaveCover(2);
        QCOMPARE(cover->FileCover(), set);
        QVERIFY(cover->NeedSave());
        // A file that cannot be written: a message names it; changed and captioned as before.
        QFile::setPermissions(set, QFile::ReadOwner | QFile::ReadUser);
        f.ui.answerMessage(MsgResult::Ok);
        cover->SaveCover(1);
        QVERIFY(cover->NeedSave());
        QVERIFY(f.ui.messages.last().text.startsWith(LangString(1358)));
        QVERIFY(f.ui.messages.last().text.endsWith(set));
    }

    void openCancelledKeepsTheActiveSet()
    {
        CoverFixture f;
        f.window->mnuNew_Click();
        const auto before = f.window->activeCover();
        f.ui.answerFile(QString());
        f.window->mnuOpen_Click();
        QCOMPARE(f.window->activeCover(), before);
        QCOMPARE(f.documents().size(), 1);
    }

    void openReadsTrimmedValues()
    {
        CoverFixture f;
        const QString front = f.picture(QStringLiteral("front.png"));
        const QString set = f.env.writeFile(
            QStringLiteral("t.ovc"), "[Files]\r\nImgFront=   " + front.toUtf8() + "   \r\n");
        f.ui.answerFile(set);
        f.window->mnuOpen_Click();
        const auto cover = f.window->activeCover();
        QCOMPARE(cover->FilePictureFront(), front);
        QVERIFY(cover->frmCover()->imageArea(0)->hasPicture());
        QCOMPARE(cover->FileCover(), set);
        QCOMPARE(f.documents().size(), 1);
    }

    // Four files of 2 GB each, or of 400 MB (sparse: a picture's header, then nothing), are
    // refused face by face with the faces' messages, and the set never makes the program
    // hold 1 GiB.
    void hugeFilesAreRefusedWithinTheMemoryBound_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::newRow("2 GB") << 2LL * 1024 * 1024 * 1024;
        QTest::newRow("400 MB") << 400LL * 1024 * 1024;
    }

    void hugeFilesAreRefusedWithinTheMemoryBound()
    {
        QFETCH(qint64, size);
        CoverFixture f;
        QByteArray set = "[Files]\r\n";
        const char* const keys[] = {"ImgFront", "ImgInside", "ImgBack", "ImgCd"};
        for (int face = 0; face < 4; ++face) {
            const QString path = f.env.path(QStringLiteral("huge%1.png").arg(face));
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray("\x89PNG\r\n\x1a\n", 8));
            QVERIFY(file.resize(size));
            file.close();
            set += QByteArray(keys[face]) + '=' + path.toUtf8() + "\r\n";
        }
        for (int face = 0; face < 4; ++face)
            f.ui.answerMessage(MsgResult::Ok);
        f.ui.answerFile(f.env.writeFile(QStringLiteral("huge.ovc"), set));
        f.window->mnuOpen_Click();
        QTRY_VERIFY(f.ui.scriptDone());
        QCOMPARE(f.ui.messages.size(), 4);
        for (int face = 0; face < 4; ++face) {
            QCOMPARE(f.ui.messages[face].text, LangString(kFaces[face].loadFailedMessage));
            QVERIFY(!f.window->activeCover()->frmCover()->imageArea(face)->hasPicture());
        }
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        QVERIFY(usage.ru_maxrss < 1024L * 1024); // kilobytes
    }

    // A relative picture path is found from the set file's folder, whatever the working
    // folder, and is kept as written: saving again asks for no bitmap.
    void relativePathsFollowTheSetFile()
    {
        CoverFixture f;
        QVERIFY(QDir().mkpath(f.env.path(QStringLiteral("sets/pics"))));
        f.picture(QStringLiteral("sets/pics/front.png"), Qt::green);
        const QString set = f.env.writeFile(QStringLiteral("sets/rel.ovc"),
                                            "[Files]\r\nImgFront=pics/front.png\r\n");
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(QDir::rootPath()));
        f.ui.answerFile(set);
        f.window->mnuOpen_Click();
        const auto cover = f.window->activeCover();
        QVERIFY(cover->frmCover()->imageArea(0)->hasPicture());
        QCOMPARE(cover->FilePictureFront(), QStringLiteral("pics/front.png"));
        cover->setNeedSave(true);
        f.window->mnuSave_Click();
        QVERIFY(!cover->NeedSave());
        QDir::setCurrent(before);
        QVERIFY(readAll(set).contains("ImgFront=pics/front.png"));
    }

    // Saved as a file in another folder, a set still names every picture: relative from
    // its new folder when the picture lies there or below, whole otherwise.
    void saveAsIntoAnotherFolderKeepsEveryPicture()
    {
        CoverFixture f;
        QVERIFY(QDir().mkpath(f.env.path(QStringLiteral("sets/pics"))));
        QVERIFY(QDir().mkpath(f.env.path(QStringLiteral("other"))));
        QVERIFY(QDir().mkpath(f.env.path(QStringLiteral("away"))));
        const QString front = f.picture(QStringLiteral("sets/pics/front.png"), Qt::green);
        const QString inside = f.picture(QStringLiteral("other/inside.png"), Qt::blue);
        const QString back = f.picture(QStringLiteral("other/back.png"), Qt::red);
        const QString set = f.env.writeFile(
            QStringLiteral("sets/rel.ovc"), "[Files]\r\nImgFront=pics/front.png\r\n"
                                            "ImgInside=../other/inside.png\r\nImgBack=" +
                                                back.toUtf8() + "\r\n");
        f.ui.answerFile(set);
        f.window->mnuOpen_Click();
        const QString below = f.env.path(QStringLiteral("below.ovc"));
        f.ui.answerFile(below);
        f.window->mnuSaveAs_Click();
        const QString beside = f.env.path(QStringLiteral("away/beside.ovc"));
        f.ui.answerFile(beside);
        f.window->mnuSaveAs_Click();
        QVERIFY(f.ui.scriptDone());
        const CoverSetPaths besidePaths = readCoverSetFile(beside);
        QCOMPARE(besidePaths[0], front);
        QCOMPARE(besidePaths[1], inside);
        QCOMPARE(besidePaths[2], back);
        const CoverSetPaths belowPaths = readCoverSetFile(below);
        QCOMPARE(belowPaths[0], QStringLiteral("sets/pics/front.png"));
        QCOMPARE(belowPaths[1], QStringLiteral("other/inside.png"));
        QCOMPARE(belowPaths[2], QStringLiteral("other/back.png"));
        for (const QString& copy : {below, beside}) {
            f.ui.answerFile(copy);
            f.window->mnuOpen_Click(); // a face that cannot load would ask
            for (int face = 0; face < 3; ++face)
                QVERIFY(f.window->activeCover()->frmCover()->imageArea(face)->hasPicture());
        }
        QVERIFY(f.ui.scriptDone());
    }

    void insertAndDeleteOnTheCurrentFace()
    {
        LangTestEnv env(2);
        ScriptedUi ui;
        RecordingWindow window;
        window.show();
        window.mnuNew_Click();
        const auto cover = window.activeCover();
        frmMenu* doc = cover->frmCover();
        QImage image(10, 10, QImage::Format_RGB32);
        image.fill(Qt::red);
        const QString first = env.path(QStringLiteral("first.png"));
        const QString second = env.path(QStringLiteral("second.jpeg"));
        image.save(first);
        image.save(second, "JPEG");

        doc->SSTab1()->setCurrentIndex(2);
        ui.answerFile(first);
        window.mnuInsertPicture_Click();
        ui.answerFile(second);
        window.mnuInsertPicture_Click();
        QCOMPARE(window.statuses, QStringList({LangString(1212), QString(),
                                               LangString(1212) + first, QString()}));
        QCOMPARE(cover->FilePictureBack(), second);
        QVERIFY(doc->imageArea(2)->hasPicture());
        QVERIFY(cover->NeedSave());
        QCOMPARE(ui.busyDepth, 0);

        // Cancelled: nothing changes, the status bar is cleared.
        cover->setNeedSave(false);
        ui.answerFile(QString());
        window.mnuInsertPicture_Click();
        QVERIFY(!cover->NeedSave());
        QCOMPARE(window.statuses.last(), QString());

        // A file that is no picture: the face's message, and nothing changes.
        ui.answerFile(env.writeFile(QStringLiteral("broken.jpg"), "garbage"));
        ui.answerMessage(MsgResult::Ok);
        window.mnuInsertPicture_Click();
        QCOMPARE(ui.messages.last().text, LangString(1126));
        QCOMPARE(cover->FilePictureBack(), second);
        QVERIFY(!cover->NeedSave());

        // Delete clears the face and its path, never the file.
        window.mnuDeletePicture_Click();
        QVERIFY(!doc->imageArea(2)->hasPicture());
        QVERIFY(cover->FilePictureBack().isEmpty());
        QVERIFY(QFile::exists(second));
        QVERIFY(cover->NeedSave());
        cover->setNeedSave(false);
        window.mnuDeletePicture_Click(); // on an empty face: only marks the set changed
        QVERIFY(cover->NeedSave());
        cover->setNeedSave(false);
        lang::LangRuntime::instance().reset();
    }
};

QTEST_MAIN(TestCoverFile)
#include "tst_coverfile.moc"
