// The model without a single widget: a cover set's faces and what it says when they
// change, the cover-set file, and the sheets' layout as the operations it asks of a printer.
#include "CoverSet.h"
#include "CoverSetFile.h"
#include "LangRuntime.h"
#include "PrintLayout.h"
#include "RecentCoverSets.h"
#include "RecordingTarget.h"
#include "LangTestEnv.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;
using namespace recording;

namespace {

// The shipped database in English and a UI seam that answers; nothing else.
struct ModelFixture
{
    LangTestEnv env{2};
    ScriptedUi ui;
};

} // namespace

class TestModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Whether a face's shown picture is its file's decides what Save must write.
    void faceKnowsWhetherItShowsItsFile()
    {
        CoverSet set;
        QSignalSpy changed(&set, &CoverSet::faceChanged);
        const Picture red = solid(Qt::red);
        set.setFile(1, u"a.png"_s);
        set.setPicture(1, red, u"a.png"_s);
        QVERIFY(set.face(1).pictureIsFile());
        set.setPicture(1, solid(Qt::blue)); // pasted over the file
        QVERIFY(!set.face(1).pictureIsFile());
        QCOMPARE(set.face(1).file(), u"a.png"_s);
        set.setSource(1, u"b.bmp"_s);
        set.setFile(1, u"b.bmp"_s);
        QVERIFY(set.face(1).pictureIsFile());
        set.clearPicture(1);
        QVERIFY(!set.face(1).hasPicture());
        QVERIFY(set.face(1).source().isEmpty());
        QCOMPARE(changed.count(), 6);
        for (const QList<QVariant>& signal : std::as_const(changed))
            QCOMPARE(signal.at(0).toInt(), 1);
        // Nothing new, nothing said; a face out of range is no face.
        set.setFile(1, u"b.bmp"_s);
        set.setPicture(7, red);
        QCOMPARE(changed.count(), 6);
        QVERIFY(!set.face(7).hasPicture());

        QSignalSpy saved(&set, &CoverSet::needSaveChanged);
        set.setNeedSave(true);
        set.setNeedSave(true);
        QCOMPARE(saved.count(), 1);
    }

    // Each recorded change is one step; undo puts back picture, file and source together and
    // counts as a change for saving, as redo does.
    void faceChangesUndoAndRedoAsOneStepEach()
    {
        CoverSet set;
        const Picture red = solid(Qt::red);
        const Picture blue = solid(Qt::blue);
        set.setFile(0, u"front.png"_s);
        set.setPicture(0, red, u"front.png"_s);

        set.changeFace(0, set.face(0).showing(blue)); // a paste: the file stays named
        set.changeFace(0, Face());                     // Delete picture
        set.changeFace(0, set.face(0));                // nothing changed: no step
        QCOMPARE(set.undoStack().count(), 2);

        QSignalSpy changed(&set, &CoverSet::faceChanged);
        set.undoStack().undo();
        QVERIFY(set.face(0).picture().sameAs(blue));
        QCOMPARE(set.face(0).file(), u"front.png"_s);
        QVERIFY(set.face(0).source().isEmpty());
        QVERIFY(set.needSave());
        set.undoStack().undo();
        QVERIFY(set.face(0).picture().sameAs(red));
        QVERIFY(set.face(0).pictureIsFile());
        QCOMPARE(changed.count(), 2);
        QVERIFY(!set.undoStack().canUndo());

        set.setNeedSave(false);
        set.undoStack().redo();
        QVERIFY(set.face(0).picture().sameAs(blue));
        QVERIFY(set.needSave());
        set.undoStack().redo();
        QVERIFY(!set.face(0).hasPicture());
        QVERIFY(set.face(0).file().isEmpty());
        QVERIFY(!set.undoStack().canRedo());
        // The other faces never moved.
        for (int face = 1; face < kFaceCount; ++face)
            QVERIFY(!set.face(face).hasPicture());
    }

    // The history keeps the newest hundred steps and no more than its bound of pictures that
    // no face shows; the oldest steps go first and the newest still undo.
    void historyIsBoundedInStepsAndPictureBytes()
    {
        CoverSet set;
        for (int i = 0; i < 120; ++i)
            set.changeFace(0, set.face(0).showing(solid(QColor(i, 0, 0), QSize(4, 4))));
        QCOMPARE(set.undoStack().count(), CoverSet::kUndoSteps);

        QList<Picture> large;
        for (int i = 0; i < 10; ++i) {
            large.append(solid(QColor(0, 0, 25 * i), QSize(3000, 3000))); // 36 MB each
            set.changeFace(1, set.face(1).showing(large.last()));
            QVERIFY(set.historyPictureBytes() <= CoverSet::kUndoPictureBytes);
        }
        large.clear();
        QVERIFY(set.undoStack().count() >= 7);
        set.undoStack().undo();
        QCOMPARE(set.face(1).picture().image().pixel(0, 0), QColor(0, 0, 200).rgb());
        set.undoStack().redo();
        QCOMPARE(set.face(1).picture().image().pixel(0, 0), QColor(0, 0, 225).rgb());
    }

    // Newest first, each file once by its absolute path, at most eight, and kept across
    // starts (the store is read anew).
    void recentSetsKeepTheNewestEight()
    {
        ModelFixture fixture;
        const QDir dir(fixture.env.folder());
        RecentCoverSets recent = RecentCoverSets::load();
        QVERIFY(recent.paths().isEmpty());
        for (int i = 1; i <= 10; ++i)
            recent.add(dir.filePath(u"set%1.ovc"_s.arg(i)));
        recent.add(dir.filePath(u"sub/../set5.ovc"_s)); // the same file, back on top
        recent.save();

        RecentCoverSets again = RecentCoverSets::load();
        QCOMPARE(again.paths().size(), RecentCoverSets::MaxCount);
        QCOMPARE(again.paths().first(), dir.filePath(u"set5.ovc"_s));
        QCOMPARE(again.paths().at(1), dir.filePath(u"set10.ovc"_s));
        QCOMPARE(again.paths().count(dir.filePath(u"set5.ovc"_s)), 1);
        QVERIFY(!again.paths().contains(dir.filePath(u"set2.ovc"_s)));

        // A list that got shorter leaves no old entry behind in the store.
        again.remove(dir.filePath(u"set10.ovc"_s));
        again.save();
        QCOMPARE(RecentCoverSets::load().paths().size(), RecentCoverSets::MaxCount - 1);
        QVERIFY(!RecentCoverSets::load().paths().contains(dir.filePath(u"set10.ovc"_s)));
    }

    void setFileRoundTripKeepsOtherLines()
    {
        ModelFixture f;
        const QString path = f.env.writeFile(
            u"k.ovc"_s, "; mine\r\n[Other]\r\nx=1\r\n[Files]\r\nImgBack=old.png\r\n");
        CoverSetPaths paths;
        paths[0] = u"front.jpg"_s;
        paths[2] = u"pics/back.png"_s;
        QVERIFY(writeCoverSetFile(path, paths));
        QCOMPARE(readCoverSetFile(path), paths);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("; mine\r\n[Other]\r\nx=1\r\n[Files]\r\n"));
        QVERIFY(!writeCoverSetFile(f.env.path(u"no/such/folder/k.ovc"_s), paths));
    }

    void picturePathsFollowTheSetFile()
    {
        QCOMPARE(resolvePicturePath(u"/sets/a.ovc"_s, u"front.png"_s), u"/sets/front.png"_s);
        QCOMPARE(resolvePicturePath(u"/sets/a.ovc"_s, u"../pics/f.png"_s), u"/pics/f.png"_s);
        QCOMPARE(resolvePicturePath(u"/sets/a.ovc"_s, u"/abs/f.png"_s), u"/abs/f.png"_s);
        QCOMPARE(resolvePicturePath(QString(), u"front.png"_s), u"front.png"_s);
        QCOMPARE(resolvePicturePath(u"/sets/a.ovc"_s, QString()), QString());
    }

    void sheetsFollowTheChoiceAndThePictures_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("pictures");
        QTest::addColumn<QString>("expected");
        const QString job = QStringLiteral("landscape|mm|");
        QTest::newRow("nothing chosen") << u""_s << u"FIBC"_s << job + u"job"_s;
        QTest::newRow("front brings inside")
            << u"F"_s << u"FI"_s
            << job + QStringList{kSheet1Start, kInsidePicture, kInsideFrame, kFrontPicture,
                                 kFrontFrame,  "page",         "job"}
                         .join('|');
        QTest::newRow("inside brings front, frames without pictures")
            << u"I"_s << u""_s
            << job + QStringList{kSheet1Start, kInsideFrame, kFrontFrame, "page", "job"}.join('|');
        QTest::newRow("front picture only")
            << u"F"_s << u"F"_s
            << job + QStringList{kSheet1Start, kInsideFrame, kFrontPicture,
                                 kFrontFrame,  "page",       "job"}
                         .join('|');
        QTest::newRow("back chosen but empty, cd follows")
            << u"BC"_s << u"FIC"_s << job + kCdSheet + u"|job"_s;
        QTest::newRow("cd chosen but empty") << u"C"_s << u"FIB"_s << job + u"job"_s;
        QTest::newRow("back alone") << u"B"_s << u"BC"_s << job + kBackSheet + u"|job"_s;
        QTest::newRow("all four") << u"FIBC"_s << u"FIBC"_s
                                  << job + QStringList{kSheet1Start,  kInsidePicture, kInsideFrame,
                                                       kFrontPicture, kFrontFrame,    "page",
                                                       kBackSheet,    kCdSheet,       "job"}
                                               .join('|');
    }
    void sheetsFollowTheChoiceAndThePictures()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, pictures);
        QFETCH(QString, expected);
        ModelFixture f;
        Recording rec;
        rec.pictures = somePictures(pictures);
        RecordingTarget target(rec, f.ui);
        const PrintLayout layout(flags(chosen), rec.pictures, captions());
        QVERIFY(layout.print(target));
        QCOMPARE(rec.ops.join('|'), expected);
        QCOMPARE(layout.sheetCount(), int(rec.ops.count(QStringLiteral("page"))));
    }

    void everyFailureIsSkipped()
    {
        ModelFixture f;
        Recording clean;
        clean.pictures = somePictures(QStringLiteral("FIBC"));
        const PrintLayout layout(flags(QStringLiteral("FIBC")), clean.pictures, captions());
        {
            RecordingTarget target(clean, f.ui);
            QVERIFY(layout.print(target));
        }
        // Each single failure, then all of them at once (no printer at all).
        for (int failing = -1; failing < clean.ops.size(); ++failing) {
            Recording rec;
            rec.pictures = clean.pictures;
            rec.fails = [failing](int op) { return failing < 0 || op == failing; };
            RecordingTarget target(rec, f.ui);
            const bool jobOk = layout.print(target);
            QCOMPARE(rec.ops, clean.ops);
            QCOMPARE(jobOk, failing >= 0 && failing != clean.ops.size() - 1);
        }
    }

};

QTEST_GUILESS_MAIN(TestModel)
#include "tst_model.moc"
