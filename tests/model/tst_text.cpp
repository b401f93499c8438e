// Text written on the faces: how a block is laid out, how it is kept in the cover-set file,
// and how its changes are undone.
#include "CoverSet.h"
#include "CoverSetFile.h"
#include "TextLayout.h"
#include "TestEnv.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TextBlock block(const QString& text, const QRectF& box)
{
    TextBlock b;
    b.text = text;
    b.box = box;
    return b;
}

} // namespace

class TestText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void layoutBreaksPlacesAndShrinksAsDescribed()
    {
        // What follows a TAB ends at the column's right edge; columns fill top to bottom.
        TextBlock list = block(u"One\t3:45\nTwo\t4:02\nThree\t10:11\nFour\t2:00"_s,
                               QRectF(10, 10, 100, 12));
        list.size = 10;
        list.columns = 2;
        const TextLayout two(list);
        QVERIFY(two.fits());
        const QList<TextLayout::Word> words = two.words();
        QCOMPARE(words.size(), 8);
        const double column = (100 - TextBlock::kColumnGapMm) / 2;
        QCOMPARE(words[1].text, u"3:45"_s);
        QVERIFY(qAbs(words[1].end.x() - (10 + column)) < 0.01);
        QVERIFY(qAbs(words[7].end.x() - 110) < 0.01); // "2:00", second column
        QVERIFY(words[2].start.y() > words[0].start.y()); // "Two" below "One"
        QCOMPARE(words[4].text, u"Three"_s);
        QVERIFY(qAbs(words[4].start.x() - (10 + column + TextBlock::kColumnGapMm)) < 0.01);
        QVERIFY(qAbs(words[4].start.y() - words[0].start.y()) < 0.01);

        // One column too few: it does not fit, and only shrinking brings it in.
        list.columns = 1;
        QVERIFY(!TextLayout(list).fits());
        list.shrink = true;
        const TextLayout shrunk(list);
        QVERIFY(shrunk.fits());
        QVERIFY(shrunk.pointSize() < 10 && shrunk.pointSize() >= TextBlock::kMinSize);
        QCOMPARE(std::fmod(shrunk.pointSize() * 2, 1.0), 0.0);
        QCOMPARE(shrunk.words().size(), 8);

        // A word wider than the box is broken; a turned block runs along the box's height,
        // 90 degrees from the top down, 270 from the bottom up.
        const TextLayout narrow(block(u"Supercalifragilistic"_s, QRectF(0, 0, 15, 40)));
        QVERIFY(narrow.words().size() > 1);
        TextBlock spine = block(u"Spine"_s, QRectF(143.5, 0, 6.5, 118));
        spine.size = 8;
        spine.rotation = 90;
        const TextLayout down(spine);
        QVERIFY(down.fits());
        const TextLayout::Word word = down.words().constFirst();
        QVERIFY(qAbs(word.start.x() - word.end.x()) < 1e-6 && word.end.y() > word.start.y());
        QVERIFY(word.start.x() > 143.5 && word.start.x() < 150);
        spine.rotation = 270;
        const TextLayout::Word up = TextLayout(spine).words().constFirst();
        QVERIFY(up.end.y() < up.start.y() && up.start.y() <= 118);
        QVERIFY(!TextLayout(block(u"Title"_s, QRectF(0, 0, 40, 1))).fits());
    }

    void blocksSurviveTheFileAndLeaveOtherSetsAlone()
    {
        TestEnv env;
        // A set without text is written byte for byte as the program always wrote it.
        const QByteArray plain = "; my covers\r\n[Files]\r\nImgFront=front.png\r\nImgInside=\r\n"
                                 "ImgBack=\r\nImgCd=\r\n\r\n[Mine]\r\nKeep=this\r\n";
        const QString plainPath = env.writeFile(u"plain.ovc"_s, plain);
        {
            CoverSet set;
            set.readFile(plainPath);
            QVERIFY(set.writeFile(plainPath));
        }
        QCOMPARE(bytesOf(plainPath), plain);

        // Every property, and texts the profile reader would otherwise change.
        TextBlock a = block(u" \"Quoted\" start\tand\\end\nsecond line, ünïcödé "_s,
                            QRectF(1.25, 2.5, 60.75, 30.01));
        a.font = u"DejaVu Serif"_s;
        a.size = 13.5;
        a.bold = a.italic = a.shrink = true;
        a.color = QColor(0x12, 0x34, 0x56);
        a.align = TextBlock::Align::Right;
        a.rotation = 270;
        a.columns = 3;
        const TextBlock b = block(u"'apostrophes'"_s, QRectF(0, 0, 6.5, 118));
        const TextBlock c = block(u"\"both\""_s, QRectF(10, 10, 20, 20));
        CoverSet set;
        set.readFile(plainPath);
        set.changeTexts(0, {a, b});
        set.changeTexts(3, {c});
        QVERIFY(set.writeFile(plainPath));
        CoverSet back;
        back.readFile(plainPath);
        for (int face = 0; face < kFaceCount; ++face)
            QCOMPARE(back.face(face).texts(), set.face(face).texts());
        QVERIFY(bytesOf(plainPath).startsWith(plain.left(plain.indexOf("[Mine]"))));
        QVERIFY(bytesOf(plainPath).contains("[Mine]\r\nKeep=this\r\n"));

        // Blocks that are gone lose their sections; the set reads as it was written.
        set.changeTexts(0, {b});
        set.changeTexts(3, {});
        QVERIFY(set.writeFile(plainPath));
        const QByteArray written = bytesOf(plainPath);
        QVERIFY(!written.contains("[Front.Text2]") && !written.contains("[Cd.Text1]"));
        back.readFile(plainPath);
        QCOMPARE(back.face(0).texts(), TextBlocks{b});
        QVERIFY(back.face(3).texts().isEmpty());

        // Written by hand: numbers clamped, a box off the face skipped, a gap ends the list.
        const QString hand = env.writeFile(u"hand.ovc"_s,
            "[Files]\nImgFront=\n[Back.Text1]\nText=x\nSize=900\nColumns=9\nRotate=45\n"
            "Box=1,2,3,4\nColor=nonsense\nAlign=sideways\nUnknown=1\n"
            "[Back.Text2]\nText=off the face\nBox=400,400,10,10\n"
            "[Back.Text3]\nText=no box\n[Back.Text4]\nText=y\nBox=5,5,5,5\n"
            "[Back.Text6]\nText=after a gap\nBox=5,5,5,5\n");
        back.readFile(hand);
        const TextBlocks read = back.face(2).texts();
        QCOMPARE(read.size(), 2);
        QCOMPARE(read[0].size, TextBlock::kMaxSize);
        QCOMPARE(read[0].columns, TextBlock::kMaxColumns);
        QCOMPARE(read[0].rotation, 0);
        QCOMPARE(read[0].color, QColor(0, 0, 0));
        QCOMPARE(read[0].align, TextBlock::Align::Left);
        QCOMPARE(read[1].text, u"y"_s);
    }

    void typingIntoOneBlockIsOneStep()
    {
        CoverSet set;
        set.addText(2, block(u""_s, QRectF(10, 10, 50, 20)));
        set.addText(2, block(u""_s, QRectF(10, 40, 50, 20)));
        set.setNeedSave(false);
        const int before = set.undoStack().count();
        TextBlock typed = set.face(2).texts()[0];
        for (const QString& text : {u"T"_s, u"Tr"_s, u"Tra"_s}) {
            typed.text = text;
            set.changeText(2, 0, typed, true);
        }
        QCOMPARE(set.undoStack().count(), before + 1);
        QVERIFY(set.needSave());
        // Another block, then another kind of change: each a step of its own.
        TextBlock other = set.face(2).texts()[1];
        other.text = u"x"_s;
        set.changeText(2, 1, other, true);
        typed.bold = true;
        set.changeText(2, 0, typed);
        typed.bold = false;
        typed.text = u"Track"_s;
        set.changeText(2, 0, typed, true);
        QCOMPARE(set.undoStack().count(), before + 4);
        set.undoStack().undo();
        set.undoStack().undo();
        QCOMPARE(set.face(2).texts()[0].text, u"Tra"_s);
        QVERIFY(!set.face(2).texts()[0].bold);
        set.undoStack().undo();
        set.undoStack().undo();
        QCOMPARE(set.face(2).texts()[0].text, QString());
        // The picture commands leave the text where it is.
        const Face withFile = set.face(2).takingFile(u"x.png"_s, platform::Picture());
        QCOMPARE(withFile.texts(), set.face(2).texts());
    }
};

QTEST_MAIN(TestText)
#include "tst_text.moc"
