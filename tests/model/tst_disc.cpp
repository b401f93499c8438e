// Round disc labels and label sheets: the CD face's shape in the cover-set file and its
// history, and label sheet files read as safely as anything a user may hand the program.
#include "CoverSet.h"
#include "LabelSheet.h"
#include "TestEnv.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestDisc : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void shapeSurvivesTheFileAndItsHistory()
    {
        TestEnv env;
        const QByteArray plain = "[Files]\r\nImgFront=\r\nImgInside=\r\nImgBack=\r\nImgCd=cd.png\r\n"
                                 "\r\n[Mine]\r\nKeep=this\r\n";
        const QString path = env.writeFile(u"set.ovc"_s, plain);
        CoverSet set;
        set.readFile(path);
        QVERIFY(!set.face(kCdFace).shape().round);
        QVERIFY(set.writeFile(path));
        QCOMPARE(bytesOf(path), plain);

        // Round, with a block the rectangle's height would not hold: both come back.
        set.setDiscShape(DiscShape::roundLabel(118.5, 22));
        TextBlock title;
        title.text = u"Side A"_s;
        title.box = QRectF(40, 118.1, 30, 0.4);
        set.addText(kCdFace, title);
        QCOMPARE(set.face(kCdFace).sizeMm(kCdFace), QSizeF(118.5, 118.5));
        QVERIFY(set.writeFile(path));
        CoverSet back;
        back.readFile(path);
        QCOMPARE(back.face(kCdFace).shape(), DiscShape::roundLabel(118.5, 22));
        QCOMPARE(back.face(kCdFace).texts().size(), 1);
        QVERIFY(bytesOf(path).contains("[Mine]\r\nKeep=this\r\n"));

        // The shape is a step of its own; back to the rectangle, the section goes.
        set.undoStack().undo();
        set.undoStack().undo();
        QVERIFY(!set.face(kCdFace).shape().round);
        QVERIFY(set.writeFile(path));
        QVERIFY(!bytesOf(path).contains("[Layout]"));

        // Written by hand: diameters clamped, a hole too small is none, nonsense is the default.
        for (const auto& [text, expected] :
             {std::pair{"CdShape=ROUND\nCdOuter=500\nCdHole=3\n", DiscShape{true, 120, 0}},
              std::pair{"CdShape=round\nCdOuter=nan\nCdHole=-inf\n", DiscShape{true, 117, 41}},
              std::pair{"CdShape=square\nCdOuter=112\n", DiscShape()}}) {
            back.readFile(env.writeFile(u"hand.ovc"_s, QByteArray("[Files]\n[Layout]\n") + text));
            QCOMPARE(back.face(kCdFace).shape(), expected);
        }

        // A file that repeats the section reads as its first says, and saves as it read.
        const QString twice = env.writeFile(
            u"twice.ovc"_s, "[Files]\n[Layout]\nplain\n[Layout]\nCdShape=round\nCdOuter=118\n");
        back.readFile(twice);
        QVERIFY(!back.face(kCdFace).shape().round);
        QVERIFY(back.writeFile(twice));
        QVERIFY(!bytesOf(twice).contains("Layout"));
    }

    void labelSheetsAreReadSafely()
    {
        TestEnv env;
        const QString shipped = QStringLiteral(ORVELLA_SOURCE_DIR "/resources/labels");
        const QString mine = env.path(u"mine"_s);
        QDir().mkpath(mine);
        const auto write = [&](const QString& name, const QByteArray& bytes) {
            QFile file(QDir(mine).filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        };
        const QByteArray head = "[Label sheet]\nPaper=A4\nOuter=117\nHole=41\n";
        write(u"overlap.ini"_s, head + "Label1=105,70\nLabel2=105,150\n");
        write(u"off-paper.ini"_s, head + "Label1=20,70\n");
        write(u"no-labels.ini"_s, head);
        write(u"not-a-number.ini"_s, head + "Label1=105,seventy\n");
        write(u"bad-paper.ini"_s, "[Label sheet]\nPaper=9 x 9\nOuter=117\nHole=41\nLabel1=5,5\n");
        write(u"other.ini"_s, "[Something]\nName=x\n");
        write(u"binary.ini"_s, QByteArray(4096, '\0') + head);
        // One of the user's own replaces the shipped sheet of the same name.
        write(u"a4-2.ini"_s, "[Label sheet]\nName=My A4\nPaper=210 x 297\nOuter=118\nHole=22\n"
                             "Label1=105,74.5\n");
        QStringList malformed;
        const QList<LabelSheet> sheets = LabelSheet::readAll({shipped, mine}, &malformed);
        QCOMPARE(malformed.size(), 7);
        QCOMPARE(sheets.size(), 3);
        const LabelSheet* mineA4 = LabelSheet::find(sheets, u"A4-2"_s);
        QVERIFY(mineA4 && mineA4->name == u"My A4"_s && mineA4->centres.size() == 1);
        QCOMPARE(LabelSheet::find(sheets, u"my a4"_s), mineA4);
        const LabelSheet* three = LabelSheet::find(sheets, u"a4-3"_s);
        QVERIFY(three && three->centres.size() == 3 && three->paperMm == QSizeF(210, 297));
        QCOMPARE(three->labelSquare(2), QRectF(149 - 58.5, 148.5 - 58.5, 117, 117));

        QCOMPARE(*LabelSheet::parsePositions(QString(), 3), (QList<int>{1, 2, 3}));
        QCOMPARE(*LabelSheet::parsePositions(u" 3, 1,3 "_s, 3), (QList<int>{1, 3}));
        QCOMPARE(*LabelSheet::parsePositions(u"2-3"_s, 3), (QList<int>{2, 3}));
        for (const QString& bad : {u"0"_s, u"4"_s, u"1,x"_s, u"3-2"_s, u"1,,2"_s, u"99999999999"_s})
            QVERIFY2(!LabelSheet::parsePositions(bad, 3), qPrintable(bad));
    }
};

QTEST_GUILESS_MAIN(TestDisc)
#include "tst_disc.moc"
