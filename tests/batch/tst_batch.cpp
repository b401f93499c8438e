// orvella-batch as a user runs it: a separate process on real files, its PDF measured on
// paper against the program's own print, its PNG sheets, its errors and what it leaves.
#include "LangRuntime.h"
#include "LazyPictureTarget.h"
#include "BoxReducer.h"
#include "JpegEncoder.h"
#include "LeanJpegDecoder.h"
#include "PdfPictureSwap.h"
#include "PreparedJpegs.h"
#include "LabelSheet.h"
#include "LangTestEnv.h"
#include "PaperMeasure.h"
#include "BatchJob.h"
#include "CoverSet.h"
#include "PrintLayout.h"
#include "TextOnPaper.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include <cmath>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

struct Run
{
    int code = -1;
    QString out;
    QString err;
};

Run runProgram(const QString& program, const QStringList& args, const QString& workDir = {})
{
    QProcess process;
    if (!workDir.isEmpty())
        process.setWorkingDirectory(workDir);
    process.start(program, args);
    Run run;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished(5000);
        run.err = u"<did not finish>"_s;
        return run;
    }
    run.code = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

Run batch(const QStringList& args, const QString& workDir = {})
{
    return runProgram(QStringLiteral(ORVELLA_BATCH), args, workDir);
}

// What a run said on stderr beyond its progress, which a slow run (a busy machine) tells.
QStringList complaints(const QString& err)
{
    QStringList lines = err.split(u'\n', Qt::SkipEmptyParts);
    lines.removeIf([](const QString& line) {
        return line.contains(QRegularExpression(u"^orvella-batch: \\[\\d+/\\d+\\] "_s));
    });
    return lines;
}

QString tool(const char* name)
{
    return QStandardPaths::findExecutable(QString::fromLatin1(name));
}

int pageCount(const QString& pdf)
{
    const Run info = runProgram(tool("pdfinfo"), {pdf});
    const QRegularExpressionMatch m = QRegularExpression(u"Pages:\\s+(\\d+)"_s).match(info.out);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QImage renderPage(const QString& pdf, int page, int dpi, const QString& prefix)
{
    const Run r =
        runProgram(tool("pdftoppm"),
                   {u"-r"_s, QString::number(dpi), u"-gray"_s, u"-png"_s, u"-singlefile"_s, u"-f"_s,
                    QString::number(page), u"-l"_s, QString::number(page), pdf, prefix});
    return r.code == 0 ? QImage(prefix + u".png"_s) : QImage();
}

// The centre of the dark line crossing a scan near `expected` (pixels), or -1000.
double lineAt(const QImage& sheet, bool vertical, double expected, int across)
{
    double sum = 0;
    int count = 0;
    for (int at = int(expected) - 15; at <= int(expected) + 15; ++at) {
        const QPoint p = vertical ? QPoint(at, across) : QPoint(across, at);
        if (sheet.rect().contains(p) && qGray(sheet.pixel(p)) < 128) {
            sum += at + 0.5;
            ++count;
        }
    }
    return count ? sum / count : -1000.0;
}

// The four edges (left, right, top, bottom, in pixels) of the frame expected at `px`,
// each measured 4 mm in from a corner.
QList<double> frameEdges(const QImage& sheet, const QRectF& px, double pxPerMm)
{
    const double in = 4 * pxPerMm;
    return {lineAt(sheet, true, px.left(), int(px.top() + in)),
            lineAt(sheet, true, px.right(), int(px.bottom() - in)),
            lineAt(sheet, false, px.top(), int(px.right() - in)),
            lineAt(sheet, false, px.bottom(), int(px.left() + in))};
}

const QList<QList<QRectF>> kFrames = {{QRectF(20, 20, 120, 120), QRectF(140, 20, 120, 120)},
                                      {QRectF(20, 20, 150, 118)},
                                      {QRectF(20, 20, 150, 118)}};
constexpr double kMarginMm = 10 * 25.4 / 72; // where Qt's PDF printer starts the printable area

QStringList filesIn(const QString& folder)
{
    QStringList out;
    for (const QFileInfo& info :
         QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        out << info.fileName();
        if (info.isDir())
            for (const QString& inner : filesIn(info.filePath()))
                out << info.fileName() + u'/' + inner;
    }
    out.sort();
    return out;
}

} // namespace

class TestBatch : public QObject
{
    Q_OBJECT

    std::unique_ptr<LangTestEnv> m_env;
    QString m_set;

    // A set of four light pictures, named relative to the set file.
    QString writeSet(const QString& name, const QString& faces = u"FIBC"_s)
    {
        const QColor colors[] = {QColor(255, 255, 160), QColor(160, 255, 255),
                                 QColor(255, 200, 255), QColor(200, 255, 200)};
        const char* keys[] = {"ImgFront", "ImgInside", "ImgBack", "ImgCd"};
        QByteArray set = "[Files]\r\n";
        for (int face = 0; face < 4; ++face) {
            QByteArray value;
            if (faces.contains(QLatin1Char("FIBC"[face]))) {
                const QString picture = u"pictures/face%1.png"_s.arg(face);
                QImage image(64, 48, QImage::Format_RGB32);
                image.fill(colors[face]);
                QDir().mkpath(m_env->path(u"pictures"_s));
                image.save(m_env->path(picture));
                value = picture.toUtf8();
            }
            set += QByteArray(keys[face]) + '=' + value + "\r\n";
        }
        return m_env->writeFile(name, set);
    }

    QString text(int number) { return LangString(number).replace(u"\r\n"_s, u" "_s); }

private Q_SLOTS:
    void initTestCase()
    {
        // A page at 600 dpi is larger than what Qt reads by default.
        QImageReader::setAllocationLimit(1024);
    }
    void init()
    {
        m_env = std::make_unique<LangTestEnv>(2);
        lang::LangRuntime::instance().setSavesChoice(false);
        m_set = writeSet(u"cover.ovc"_s);
    }
    void cleanup() { m_env.reset(); } // the runtime goes back to its start state with it

    void framesLandWhereTheProgramPrintsThem_data()
    {
        QTest::addColumn<QString>("paper");
        QTest::newRow("A4") << u"A4"_s;
        QTest::newRow("Letter") << u"Letter"_s;
    }
    void framesLandWhereTheProgramPrintsThem()
    {
        QFETCH(QString, paper);
        if (tool("pdftoppm").isEmpty() || tool("pdfinfo").isEmpty())
            QSKIP("poppler-utils (pdftoppm, pdfinfo) is not installed");
        const QString ours = m_env->path(u"batch.pdf"_s);
        const QString theirs = m_env->path(u"program.pdf"_s);
        const Run run = batch({u"--paper"_s, paper, u"--output"_s, ours, m_set});
        QVERIFY2(run.code == 0 && complaints(run.err).isEmpty(), qPrintable(run.err));
        QCOMPARE(runProgram(QStringLiteral(ORVELLA_REFERENCE_PRINT), {m_set, theirs, paper}).code,
                 0);
        QCOMPARE(pageCount(ours), 3);
        QCOMPARE(pageCount(theirs), 3);

        constexpr int dpi = 600;
        constexpr double pxPerMm = dpi / 25.4;
        const double tolerance = 0.05 * pxPerMm;
        for (int page = 1; page <= 3; ++page) {
            const QImage a = renderPage(ours, page, dpi, m_env->path(u"a%1"_s.arg(page)));
            const QImage b = renderPage(theirs, page, dpi, m_env->path(u"b%1"_s.arg(page)));
            QVERIFY(!a.isNull() && !b.isNull());
            QCOMPARE(a.size(), b.size());
            QVERIFY(a.width() > a.height());
            for (const QRectF& mm : kFrames[page - 1]) {
                const QRectF onPaper = mm.translated(kMarginMm, kMarginMm);
                const QRectF px(onPaper.topLeft() * pxPerMm, onPaper.size() * pxPerMm);
                const QList<double> ourEdges = frameEdges(a, px, pxPerMm);
                const QList<double> theirEdges = frameEdges(b, px, pxPerMm);
                const QString where =
                    u"page %1 frame %2,%3: batch %4 program %5"_s.arg(page)
                        .arg(mm.x())
                        .arg(mm.y())
                        .arg(QStringList(
                                 {QString::number(ourEdges[0]), QString::number(ourEdges[1]),
                                  QString::number(ourEdges[2]), QString::number(ourEdges[3])})
                                 .join(u' '))
                        .arg(QStringList(
                                 {QString::number(theirEdges[0]), QString::number(theirEdges[1]),
                                  QString::number(theirEdges[2]), QString::number(theirEdges[3])})
                                 .join(u' '));
                for (int edge = 0; edge < 4; ++edge) {
                    QVERIFY2(theirEdges[edge] > 0, qPrintable(where));
                    QVERIFY2(std::abs(ourEdges[edge] - theirEdges[edge]) <= tolerance,
                             qPrintable(where));
                }
            }
        }
    }

    void facesChooseTheSheets_data()
    {
        QTest::addColumn<QString>("pictures");
        QTest::addColumn<QStringList>("faces");
        QTest::addColumn<int>("pages");
        QTest::newRow("every face with a picture") << u"FIBC"_s << QStringList() << 3;
        QTest::newRow("front brings the booklet") << u"FIBC"_s << QStringList{u"front"_s} << 1;
        QTest::newRow("inside and cd") << u"FIBC"_s << QStringList{u"Inside,CD"_s} << 2;
        QTest::newRow("back only") << u"FIBC"_s << QStringList{u"back"_s} << 1;
        QTest::newRow("a set without a booklet") << u"BC"_s << QStringList() << 2;
    }
    void facesChooseTheSheets()
    {
        QFETCH(QString, pictures);
        QFETCH(QStringList, faces);
        QFETCH(int, pages);
        if (tool("pdfinfo").isEmpty())
            QSKIP("poppler-utils (pdfinfo) is not installed");
        const QString set = writeSet(u"chosen.ovc"_s, pictures);
        QStringList args;
        if (!faces.isEmpty())
            args << u"--faces"_s << faces;
        // No --output: the set's name in the current folder.
        const Run run = batch(args << set, m_env->folder());
        QVERIFY2(run.code == 0, qPrintable(run.err));
        QCOMPARE(pageCount(m_env->path(u"chosen.pdf"_s)), pages);
    }

    void pngSheetsAreWholePagesOnWhite()
    {
        const QString folder = m_env->path(u"sheets"_s);
        // 254 dpi: ten pixels a millimetre.
        const Run run = batch({u"--png"_s, folder, u"--dpi"_s, u"254"_s, m_set});
        QVERIFY2(run.code == 0 && complaints(run.err).isEmpty(), qPrintable(run.err));
        QCOMPARE(filesIn(folder),
                 QStringList({u"sheet-1.png"_s, u"sheet-2.png"_s, u"sheet-3.png"_s}));
        const QColor colors[] = {QColor(255, 255, 160), QColor(255, 200, 255),
                                 QColor(200, 255, 200)};
        for (int sheet = 1; sheet <= 3; ++sheet) {
            const QImage image(QDir(folder).filePath(u"sheet-%1.png"_s.arg(sheet)));
            QCOMPARE(image.size(),
                     QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF())
                         .fullRectPixels(254)
                         .size());
            QCOMPARE(image.pixelColor(5, 5), QColor(Qt::white));
            QCOMPARE(image.pixelColor(2960, 2090), QColor(Qt::white));
            const QRectF frame = kFrames[sheet - 1].last();
            const QRectF px((frame.topLeft() + QPointF(kMarginMm, kMarginMm)) * 10,
                            frame.size() * 10);
            const QList<double> edges = frameEdges(image, px, 10);
            QVERIFY(std::abs(edges[0] - px.left()) <= 1.5 &&
                    std::abs(edges[1] - px.right()) <= 1.5);
            QVERIFY(std::abs(edges[2] - px.top()) <= 1.5 &&
                    std::abs(edges[3] - px.bottom()) <= 1.5);
            // The last face of the sheet fills its frame: Front, Back, CD.
            QCOMPARE(image.pixelColor(px.center().toPoint()), colors[sheet - 1]);
        }
    }

    void offsetAndScaleMoveTheFrames()
    {
        const QString folder = m_env->path(u"calibrated"_s);
        const Run run = batch({u"--png"_s, folder, u"--dpi"_s, u"254"_s, u"--faces"_s, u"back"_s,
                               u"--offset"_s, u"5,-3"_s, u"--scale=102,98"_s, m_set});
        QVERIFY2(run.code == 0, qPrintable(run.err));
        QCOMPARE(filesIn(folder), QStringList{u"sheet-1.png"_s});
        const QImage image(QDir(folder).filePath(u"sheet-1.png"_s));
        // x' = 5 + x * 1.02, y' = -3 + y * 0.98
        const QRectF moved(5 + 20 * 1.02, -3 + 20 * 0.98, 150 * 1.02, 118 * 0.98);
        const QRectF px((moved.topLeft() + QPointF(kMarginMm, kMarginMm)) * 10, moved.size() * 10);
        const QList<double> edges = frameEdges(image, px, 10);
        const QString where = u"%1 %2 %3 %4 expected %5 %6 %7 %8"_s.arg(edges[0])
                                  .arg(edges[1])
                                  .arg(edges[2])
                                  .arg(edges[3])
                                  .arg(px.left())
                                  .arg(px.right())
                                  .arg(px.top())
                                  .arg(px.bottom());
        QVERIFY2(std::abs(edges[0] - px.left()) <= 1.5, qPrintable(where));
        QVERIFY2(std::abs(edges[1] - px.right()) <= 1.5, qPrintable(where));
        QVERIFY2(std::abs(edges[2] - px.top()) <= 1.5, qPrintable(where));
        QVERIFY2(std::abs(edges[3] - px.bottom()) <= 1.5, qPrintable(where));
    }

    void badInputIsNamedAndLeavesNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QStringList>("named"); // "@x" is the test folder's file x
        QTest::addColumn<int>("message");
        QTest::newRow("missing set") << QStringList{u"--output"_s, u"@out.pdf"_s, u"@none.ovc"_s}
                                     << 3 << QStringList{u"@none.ovc"_s} << 1432;
        QTest::newRow("a picture for a set")
            << QStringList{u"--output"_s, u"@out.pdf"_s, u"@pictures/face1.png"_s} << 3
            << QStringList{u"@pictures/face1.png"_s} << 1484;
        QTest::newRow("png page beyond memory")
            << QStringList{u"--png"_s, u"@sheets"_s, u"--dpi"_s, u"2400"_s, u"@cover.ovc"_s} << 2
            << QStringList{u"--dpi 2400"_s, u"1178"_s} << 1486;
        QTest::newRow("unreadable picture")
            << QStringList{u"--output"_s, u"@out.pdf"_s, u"@cover.ovc"_s} << 4
            << QStringList{u"@pictures/face2.png"_s} << 1126;
        QTest::newRow("unwritable output")
            << QStringList{u"--output"_s, u"@cover.ovc.d/out.pdf"_s, u"@cover.ovc"_s} << 5
            << QStringList{u"@cover.ovc.d/out.pdf"_s} << 1436;
        QTest::newRow("png folder where a sheet cannot go")
            << QStringList{u"--png"_s, u"@blocked"_s, u"@cover.ovc"_s} << 5
            << QStringList{u"@blocked/sheet-2.png"_s} << 1436;
        QTest::newRow("output over a picture")
            << QStringList{u"--output"_s, u"@pictures/face0.png"_s, u"@cover.ovc"_s} << 2
            << QStringList{u"@pictures/face0.png"_s} << 1428;
        QTest::newRow("unknown face")
            << QStringList{u"--faces"_s, u"front,spine"_s, u"@cover.ovc"_s} << 2
            << QStringList{u"spine"_s} << 1424;
        QTest::newRow("negative dpi") << QStringList{u"--dpi"_s, u"-300"_s, u"@cover.ovc"_s} << 2
                                      << QStringList{u"--dpi -300"_s} << 1426;
        QTest::newRow("scale out of range")
            << QStringList{u"--scale"_s, u"106,100"_s, u"@cover.ovc"_s} << 2
            << QStringList{u"106,100"_s} << 1426;
        QTest::newRow("unknown option") << QStringList{u"--colour"_s, u"@cover.ovc"_s} << 2
                                        << QStringList{u"--colour"_s} << 1422;
        QTest::newRow("face without a picture")
            << QStringList{u"--faces"_s, u"cd"_s, u"@backless.ovc"_s} << 4
            << QStringList{u"@backless.ovc"_s, u"CD"_s} << 1434;
    }
    void badInputIsNamedAndLeavesNothing()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QStringList, named);
        QFETCH(int, message);
        const auto local = [&](QString s) {
            return s.startsWith(u'@') ? m_env->path(s.mid(1)) : s;
        };
        // A set without a CD picture; broken bytes where the Back picture should be; a file
        // where a folder should be; a folder where the second sheet should go.
        writeSet(u"backless.ovc"_s, u"FIB"_s);
        if (QTest::currentDataTag() == u"unreadable picture"_s)
            m_env->writeFile(u"pictures/face2.png"_s, "not a picture");
        m_env->writeFile(u"cover.ovc.d"_s, "a file");
        QDir().mkpath(m_env->path(u"blocked/sheet-2.png"_s));
        const QString older = m_env->writeFile(u"blocked/sheet-1.png"_s, "an earlier run's sheet");
        const QStringList before = filesIn(m_env->folder());

        QStringList resolved;
        for (const QString& arg : std::as_const(args))
            resolved << local(arg);
        const Run run = batch(resolved, m_env->folder());
        QCOMPARE(run.code, code);
        const QStringList lines = complaints(run.err);
        QVERIFY2(lines.size() == 1 && lines[0].startsWith(u"orvella-batch: "_s),
                 qPrintable(run.err));
        for (const QString& name : std::as_const(named))
            QVERIFY2(run.err.contains(local(name)), qPrintable(run.err));
        QString expected = text(message).remove(QRegularExpression(u"\\s*:$"_s));
        if (expected.contains(u"%1"_s))
            expected = expected.arg(named.last());
        QVERIFY2(run.err.contains(expected), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
        // Not a byte more on disk: no PDF, no sheet, no temporary file, no folder; and an
        // earlier run's sheet is as it was.
        QCOMPARE(filesIn(m_env->folder()), before);
        QFile earlier(older);
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        QCOMPARE(earlier.readAll(), QByteArray("an earlier run's sheet"));
    }

    // The words of the faces' text blocks are real text with their fonts embedded, each at
    // the place the layout gives it, and a block that does not fit is named.
    void textPrintsWhereTheLayoutPutsIt()
    {
        if (!paper_text::havePdfToText())
            QSKIP("poppler-utils (pdftotext) is not installed");
        CoverSet set;
        set.readFile(m_set);
        QList<paper_text::Placed> placed;
        const QPointF corner = QPointF(BatchJob::kMarginPoints, BatchJob::kMarginPoints) /
                               paper_text::kPointsPerMm;
        const auto blocks = paper_text::coverText();
        for (const auto& [face, block] : blocks) {
            set.addText(face, block);
            const QRectF rect = face == 0 ? PrintLayout::kFrontRect : PrintLayout::kBackRect;
            placed.append({face == 0 ? 1 : 2, corner + rect.topLeft(), block});
        }
        TextBlock cut;
        cut.text = u"Far too much text for a box this small"_s;
        cut.box = QRectF(20, 100, 10, 5);
        set.addText(1, cut);
        const QString written = m_env->path(u"text.ovc"_s);
        QVERIFY(set.writeFile(written));

        const QString pdf = m_env->path(u"text.pdf"_s);
        const Run run = batch({u"--output"_s, pdf, written});
        QCOMPARE(run.code, 0);
        QVERIFY2(run.err.contains(LangString(1488).arg(LangString(1204).remove(u'&')).arg(1)),
                 qPrintable(run.err));
        for (int block = 1; block <= 3; ++block)
            QVERIFY(!run.err.contains(LangString(1488).arg(LangString(1124).remove(u'&')).arg(block)));
        QVERIFY(paper_text::fontsEmbedded(pdf));
        QString word;
        const double worst = paper_text::worstDistance(paper_text::printedWords(pdf), placed, &word);
        QVERIFY2(worst >= 0 && worst <= 0.1, qPrintable(u"%1 mm at %2"_s.arg(worst).arg(word)));
    }

    // The CD as a round label on a label sheet, from the command line alone: the sheet's
    // paper turned upright, the label where the sheet has it, the rest of the sheet free; and
    // every way of asking for a sheet that cannot be used is refused before any work.
    void roundLabelsOnASheet()
    {
        if (!paper::havePoppler())
            QSKIP("poppler-utils (pdftoppm, pdfinfo) is not installed");
        const QString pdf = m_env->path(u"labels.pdf"_s);
        const Run run = batch({u"--faces"_s, u"back,cd"_s, u"--cd-shape"_s, u"round:118:22"_s,
                               u"--label-sheet"_s, u"a4-3"_s, u"--positions"_s, u"2"_s,
                               u"--fold-marks"_s, u"off"_s, u"--output"_s, pdf, m_set});
        QVERIFY2(run.code == 0 && complaints(run.err).isEmpty(), qPrintable(run.err));
        QCOMPARE(paper::pageCount(pdf), 2);
        const QImage sheet = paper::render(pdf, 2, 50, m_env->path(u"whole"_s));
        QVERIFY(sheet.height() > sheet.width());
        const std::optional<LabelSheet> a4 =
            LabelSheet::read(QStringLiteral(ORVELLA_SOURCE_DIR "/resources/labels/a4-3.ini"));
        QVERIFY(a4);
        // The sheet's labels are 117 mm across with a 41 mm hole, whatever the set says.
        const QRectF outer = a4->labelSquare(2);
        const QRectF hole = DiscShape::roundLabel(117, 41).holeIn(outer);
        QPointF shown;
        const QImage label = paper::renderArea(pdf, 2, 1200, outer.adjusted(-2, -2, 2, 2),
                                               m_env->path(u"label"_s), &shown);
        int clipFaults = -1;
        QString detail;
        const double worst =
            paper::ringDeviation(label, 1200, shown, outer, hole, &clipFaults, &detail);
        QVERIFY2(worst <= 0.05, qPrintable(QString::number(worst) + detail));
        QCOMPARE(clipFaults, 0);
        // Labels 1 and 3 stay as they were, and the Back carries no fold marks.
        for (const int free : {1, 3}) {
            const QPointF c = a4->centres[free - 1] * 50 / 25.4;
            QCOMPARE(qGray(sheet.pixel(int(c.x()) + 20, int(c.y()))), 255);
        }
        const QImage back = paper::render(pdf, 1, 600, m_env->path(u"back"_s));
        const double markX = (BatchJob::kMarginPoints / 72 * 25.4 + 26.5) * 600 / 25.4;
        const double markY = (BatchJob::kMarginPoints / 72 * 25.4 + 18.5) * 600 / 25.4;
        QCOMPARE(paper::lineAt(back, true, markX, int(markY)), -1000.0);

        const auto refused = [&](const QStringList& args, const QString& says) {
            const Run bad = batch(args + QStringList{u"--output"_s, pdf, m_set});
            QVERIFY2(bad.code == 2 && bad.err.contains(says), qPrintable(bad.err));
        };
        refused({u"--label-sheet"_s, u"a4-2"_s}, u"--cd-shape round"_s);
        refused({u"--cd-shape"_s, u"round"_s, u"--label-sheet"_s, u"nosuch"_s}, u"a4-2, a4-3, letter-2"_s);
        refused({u"--cd-shape"_s, u"round"_s, u"--label-sheet"_s, u"a4-2"_s, u"--positions"_s, u"3"_s},
                LangString(1576).arg(2).section(u' ', 0, 3));
        refused({u"--positions"_s, u"1"_s}, u"--positions 1"_s);
        refused({u"--cd-shape"_s, u"round:200"_s}, u"--cd-shape round:200"_s);
        refused({u"--fold-marks"_s, u"maybe"_s}, u"--fold-marks maybe"_s);
    }

    void captionsSpeakTheChosenLanguage()
    {
        if (tool("pdftotext").isEmpty())
            QSKIP("poppler-utils (pdftotext) is not installed");
        const auto captionOf = [&](const QStringList& options) {
            const QString pdf = m_env->path(u"language.pdf"_s);
            const Run run = batch(QStringList(options)
                                  << u"--faces"_s << u"front"_s << u"--output"_s << pdf << m_set);
            if (run.code != 0)
                return u"exit %1: %2"_s.arg(run.code).arg(run.err);
            return runProgram(tool("pdftotext"), {pdf, u"-"_s}).out.simplified();
        };
        const auto expected = [&](int language) {
            lang::LangRuntime::instance().reset();
            lang::LangRuntime::instance().setCurrentLanguage(language);
            lang::LangRuntime::instance().setSavesChoice(false);
            return LangString(1318).simplified();
        };
        const QString settings = m_env->path(u"xdg/config/ORVLA/ORVLA.conf"_s);

        // Nothing saved: English.
        QCOMPARE(captionOf({}), expected(2));
        QVERIFY(!QFile::exists(settings));
        // The saved choice, as the program keeps it.
        m_env->writeFile(u"xdg/config/ORVLA/ORVLA.conf"_s, "[Preferences]\nLanguage=3\n");
        QCOMPARE(captionOf({}), expected(3));
        // The option wins, in any letter case, and the saved choice stays as it was.
        QCOMPARE(captionOf({u"--language"_s, u"deutsch"_s}), expected(4));
        QFile conf(settings);
        QVERIFY(conf.open(QIODevice::ReadOnly));
        QCOMPARE(conf.readAll(), QByteArray("[Preferences]\nLanguage=3\n"));

        const Run unknown = batch({u"--language"_s, u"Klingon"_s, m_set}, m_env->folder());
        QCOMPARE(unknown.code, 2);
        QVERIFY(unknown.err.contains(u"Klingon"_s) && unknown.err.contains(u"Deutsch"_s));
        QVERIFY(!QFile::exists(m_env->path(u"cover.pdf"_s)));
    }

    void averagingGivesEachPixelTheMeanOfWhatItCovers()
    {
        // Sizes whose ratios are no whole numbers, so that source pixels straddle output
        // pixels on both axes, and a pattern in which a share given to the wrong neighbour
        // shows: every value differs from the next.
        const QSize source(997, 613);
        const QSize target(331, 250);
        QImage in(source, QImage::Format_RGB32);
        for (int y = 0; y < source.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(in.scanLine(y));
            for (int x = 0; x < source.width(); ++x)
                line[x] = qRgb((x * 7 + y * 3) % 256, (x * x + y) % 256, (y * 11) % 256);
        }
        QImage out(target, QImage::Format_RGB32);
        int rows = 0;
        BoxReducer reducer(source, target, [&](const uchar* line) {
            std::memcpy(out.scanLine(rows++), line, size_t(target.width()) * 4);
            return true;
        });
        for (int y = 0; y < source.height(); ++y)
            QVERIFY(reducer.add(in.constScanLine(y)));
        QCOMPARE(rows, target.height());

        const double sx = double(source.width()) / target.width();
        const double sy = double(source.height()) / target.height();
        const auto overlap = [](double a0, double a1, int b) {
            return std::max(0.0, std::min(a1, b + 1.0) - std::max(a0, double(b)));
        };
        int worst = 0;
        for (int oy = 0; oy < target.height(); oy += 7) {
            for (int ox = 0; ox < target.width(); ox += 5) {
                double sum[3] = {0, 0, 0};
                for (int y = int(oy * sy); y < std::min(source.height(), int((oy + 1) * sy) + 1); ++y) {
                    const double wy = overlap(oy * sy, (oy + 1) * sy, y);
                    for (int x = int(ox * sx); x < std::min(source.width(), int((ox + 1) * sx) + 1); ++x) {
                        const double w = wy * overlap(ox * sx, (ox + 1) * sx, x);
                        const QRgb p = in.pixel(x, y);
                        sum[0] += w * qRed(p);
                        sum[1] += w * qGreen(p);
                        sum[2] += w * qBlue(p);
                    }
                }
                const QRgb got = out.pixel(ox, oy);
                QCOMPARE(qAlpha(got), 255);
                const int channels[3] = {qRed(got), qGreen(got), qBlue(got)};
                for (int c = 0; c < 3; ++c)
                    worst = std::max(worst, int(std::lround(std::abs(channels[c] - sum[c] / (sx * sy)))));
            }
        }
        QVERIFY2(worst <= 1, qPrintable(QString::number(worst)));
    }

    void photosAreReducedInOnePassAsTheCodecWouldShowThem()
    {
        // Soft shapes on a gradient: what a photo is to a codec, and an image in which a
        // seam or a shifted row would show.
        QImage photo(4800, 2400, QImage::Format_RGB32);
        for (int y = 0; y < photo.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
            for (int x = 0; x < photo.width(); ++x)
                line[x] = qRgb(x * 255 / photo.width(), y * 255 / photo.height(), (x + y) % 256);
        }
        {
            QPainter painter(&photo);
            painter.setRenderHint(QPainter::Antialiasing);
            for (int i = 0; i < 12; ++i) {
                painter.setBrush(QColor::fromHsv(i * 30, 200, 230));
                painter.drawEllipse(QPoint(300 + i * 370, 300 + (i * 577) % 1800), 260, 200);
            }
        }
        const auto encode = [](const QImage& image) {
            QByteArray bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            QImageWriter writer(&buffer, "jpeg");
            writer.setQuality(92);
            return writer.write(image) ? bytes : QByteArray();
        };
        const QByteArray jpeg = encode(photo);
        QVERIFY(!jpeg.isEmpty());
        const QImage whole = QImage::fromData(jpeg, "jpeg");

        // Mean and worst row difference against the whole decode scaled smoothly by Qt.
        const auto compare = [](const QImage& reduced, const QImage& expected) {
            QCOMPARE(reduced.size(), expected.size());
            QCOMPARE(reduced.format(), QImage::Format_RGB32);
            double total = 0;
            double worst = 0;
            int worstRow = 0;
            for (int y = 0; y < reduced.height(); ++y) {
                const QRgb* a = reinterpret_cast<const QRgb*>(reduced.constScanLine(y));
                const QRgb* b = reinterpret_cast<const QRgb*>(expected.constScanLine(y));
                double row = 0;
                for (int x = 0; x < reduced.width(); ++x) {
                    QCOMPARE(qAlpha(a[x]), 255);
                    row += std::abs(qRed(a[x]) - qRed(b[x])) + std::abs(qGreen(a[x]) - qGreen(b[x])) +
                           std::abs(qBlue(a[x]) - qBlue(b[x]));
                }
                row /= reduced.width() * 3;
                total += row;
                if (row > worst) {
                    worst = row;
                    worstRow = y;
                }
            }
            QVERIFY2(total / reduced.height() < 1.5,
                     qPrintable(QString::number(total / reduced.height())));
            QVERIFY2(worst < 4, qPrintable(u"row %1 differs by %2"_s.arg(worstRow).arg(worst)));
        };
        const auto smooth = [](const QImage& image, const QSize& size) {
            return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .convertToFormat(QImage::Format_RGB32);
        };
        // Decoded at 5/8 (3000 x 1500) and averaged down; at exactly half; and whole.
        for (const QSize size : {QSize(3000, 1450), QSize(2400, 1200), QSize(4800, 2000)})
            compare(LeanJpegDecoder::scaled(jpeg, size), smooth(whole, size));

        // A photo that EXIF says to mirror, flip or turn (orientations 2 to 8) is shown as
        // Qt's reader shows it, and reduced to the shown size.
        const QByteArray small = encode(whole.scaled(960, 480, Qt::IgnoreAspectRatio,
                                                     Qt::SmoothTransformation));
        for (int orientation = 2; orientation <= 8; ++orientation) {
            QByteArray turned = small;
            turned.insert(2, QByteArray::fromHex("ffe10022457869660000" "49492a0008000000"
                                                 "0100" "1201030001000000") +
                                 char(orientation) + QByteArray(7, '\0'));
            QBuffer turnedBuffer(&turned);
            turnedBuffer.open(QIODevice::ReadOnly);
            QImageReader reader(&turnedBuffer);
            reader.setAutoTransform(true);
            const QImage shown = reader.read();
            const QSize size = shown.width() > shown.height() ? QSize(700, 300) : QSize(300, 700);
            QVERIFY2(shown.size() == (orientation >= 5 ? QSize(480, 960) : QSize(960, 480)),
                     qPrintable(QString::number(orientation)));
            compare(LeanJpegDecoder::scaled(turned, size), smooth(shown, size));
        }

        // Asked to grow, or given what is no JPEG: nothing, and the caller goes the codec's way.
        QVERIFY(LeanJpegDecoder::scaled(jpeg, QSize(4801, 2000)).isNull());
        QVERIFY(LeanJpegDecoder::scaled("not a picture", QSize(100, 100)).isNull());
        // A photo cut short still gives its whole size: what was read, then its last row.
        const QImage cut = LeanJpegDecoder::scaled(jpeg.left(jpeg.size() / 2), QSize(600, 300));
        QCOMPARE(cut.size(), QSize(600, 300));
    }

    void photosGoInPreparedWhereTheProgramPrintsThem()
    {
        if (!paper::havePoppler() || tool("pdfimages").isEmpty())
            QSKIP("poppler-utils (pdftoppm, pdfinfo, pdfimages) is not installed");
        // JPEG photos with edges a misplaced or mis-turned picture would show; the Inside's
        // file is stored on its side and EXIF turns it; the Back is a PNG, which goes the
        // codec's way beside them.
        QDir().mkpath(m_env->path(u"photos"_s));
        const QStringList names = {u"front.jpg"_s, u"inside.jpg"_s, u"back.png"_s, u"cd.jpg"_s};
        for (int face = 0; face < 4; ++face) {
            QImage photo(1600, 1200, QImage::Format_RGB32);
            for (int y = 0; y < photo.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
                for (int x = 0; x < photo.width(); ++x)
                    line[x] = qRgb(x * 255 / 1600, y * 255 / 1200, (x + y) * 200 / 2800 + face * 18);
            }
            QPainter painter(&photo);
            painter.setBrush(Qt::black);
            painter.drawRect(100 + face * 80, 150, 300, 200);
            painter.setBrush(Qt::white);
            painter.drawEllipse(QPoint(1200, 800 - face * 90), 220, 160);
            painter.end();
            if (face == 1)
                photo = photo.transformed(QTransform().rotate(-90)); // stored on its side
            QByteArray bytes;
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::WriteOnly);
            QVERIFY(photo.save(&buffer, face == 2 ? "png" : "jpeg", 92));
            if (face == 1) // EXIF orientation 6: turn a quarter clockwise to show
                bytes.insert(2, QByteArray::fromHex("ffe10022457869660000" "49492a0008000000"
                                                    "0100" "1201030001000000" "0600000000000000"));
            m_env->writeFile(u"photos/"_s + names[face], bytes);
        }
        const QString set = m_env->writeFile(
            u"photos.ovc"_s, "[Files]\r\nImgFront=photos/front.jpg\r\nImgInside=photos/inside.jpg\r\n"
                             "ImgBack=photos/back.png\r\nImgCd=photos/cd.jpg\r\n");
        const QString ours = m_env->path(u"photos.pdf"_s);
        const QString theirs = m_env->path(u"photos-program.pdf"_s);
        // At 200 dpi each photo is decoded at 7/8 and averaged down to its face.
        const Run run = batch({u"--dpi"_s, u"200"_s, u"--output"_s, ours, set});
        QVERIFY2(run.code == 0 && complaints(run.err).isEmpty(), qPrintable(run.err));
        QCOMPARE(runProgram(QStringLiteral(ORVELLA_REFERENCE_PRINT), {set, theirs, u"A4"_s}).code, 0);

        // Every picture at the resolution asked for, at the size of its face.
        const Run images = runProgram(tool("pdfimages"), {u"-list"_s, ours});
        QCOMPARE(images.code, 0);
        const QStringList rows = images.out.split(u'\n', Qt::SkipEmptyParts).mid(2);
        QCOMPARE(rows.size(), 4);
        const QList<QSize> sizes = {QSize(945, 945), QSize(945, 945), QSize(1182, 930),
                                    QSize(1182, 930)};
        for (int i = 0; i < 4; ++i) {
            const QStringList cells = rows[i].simplified().split(u' ');
            QCOMPARE(QSize(cells[3].toInt(), cells[4].toInt()), sizes[i]);
            QCOMPARE(cells[8], u"jpeg"_s);
            QVERIFY2(std::abs(cells[12].toInt() - 200) <= 1 && std::abs(cells[13].toInt() - 200) <= 1,
                     qPrintable(rows[i]));
        }
        // On paper the pages are the program's: only the compression differs.
        for (int page = 1; page <= 3; ++page) {
            const QImage a = paper::render(ours, page, 100, m_env->path(u"p%1"_s.arg(page)))
                                 .convertToFormat(QImage::Format_Grayscale8);
            const QImage b = paper::render(theirs, page, 100, m_env->path(u"q%1"_s.arg(page)))
                                 .convertToFormat(QImage::Format_Grayscale8);
            QVERIFY(!a.isNull() && a.size() == b.size());
            double total = 0;
            double worstBlock = 0;
            constexpr int block = 20; // 5 mm
            for (int by = 0; by + block <= a.height(); by += block) {
                for (int bx = 0; bx + block <= a.width(); bx += block) {
                    double sum = 0;
                    for (int y = by; y < by + block; ++y) {
                        const uchar* la = a.constScanLine(y);
                        const uchar* lb = b.constScanLine(y);
                        for (int x = bx; x < bx + block; ++x)
                            sum += std::abs(int(la[x]) - int(lb[x]));
                    }
                    total += sum;
                    worstBlock = std::max(worstBlock, sum / (block * block));
                }
            }
            const double mean = total / (double(a.width() / block * block) * (a.height() / block * block));
            QVERIFY2(mean < 1.0 && worstBlock < 12,
                     qPrintable(u"page %1: mean %2, worst 5 mm block %3"_s.arg(page).arg(mean).arg(worstBlock)));
        }
    }

    void standInsAreSwappedOrTheFileIsRefused()
    {
        if (tool("pdfimages").isEmpty())
            QSKIP("poppler-utils (pdfimages) is not installed");
        // A page as Qt writes it, with a stand-in drawn twice and a PNG-like picture beside.
        QByteArray pdf;
        {
            QBuffer buffer(&pdf);
            buffer.open(QIODevice::WriteOnly);
            QPdfWriter writer(&buffer);
            writer.setResolution(300);
            QPainter painter(&writer);
            const QImage standIn = PreparedJpegs::marker(0);
            QCOMPARE(PreparedJpegs::markerId(standIn), 0);
            painter.drawImage(QRectF(0, 0, 600, 400), standIn);
            painter.drawImage(QRectF(700, 0, 600, 400), standIn);
            QImage other(16, 16, QImage::Format_RGB32);
            other.fill(Qt::darkGreen);
            painter.drawImage(QRectF(0, 500, 300, 300), other);
        }
        QImage photo(320, 200, QImage::Format_RGB32);
        photo.fill(QColor(200, 60, 30));
        std::vector<PreparedJpegs::Prepared> prepared(2);
        prepared[0] = {0, photo.size(), JpegEncoder::encode(photo, JpegEncoder::kPrintQuality)};
        prepared[1] = {2, QSize(8, 8), JpegEncoder::encode(photo.copy(0, 0, 8, 8), 88)};

        // A stand-in with no photo prepared for it, or a photo whose stand-in is not in the
        // file, is a failure: never a PDF with a stand-in in it, never a photo left out.
        QString error;
        std::vector<PreparedJpegs::Prepared> missing = prepared;
        missing[0].jpeg.clear();
        QVERIFY(PdfPictureSwap::apply(pdf, missing, &error).isEmpty() && !error.isEmpty());
        error.clear();
        QVERIFY(PdfPictureSwap::apply(pdf, prepared, &error).isEmpty() && !error.isEmpty());

        prepared.pop_back();
        error.clear();
        const QByteArray swapped = PdfPictureSwap::apply(pdf, {prepared[0]}, &error);
        QVERIFY2(!swapped.isEmpty(), qPrintable(error));
        const QString path = m_env->writeFile(u"swapped.pdf"_s, swapped);
        const Run images = runProgram(tool("pdfimages"), {u"-list"_s, path});
        QCOMPARE(images.code, 0);
        QVERIFY2(images.err.isEmpty(), qPrintable(images.err)); // the table and lengths hold
        const QStringList rows = images.out.split(u'\n', Qt::SkipEmptyParts).mid(2);
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[0].simplified().section(u' ', 3, 4), u"320 200"_s);
        QCOMPARE(rows[1].simplified().section(u' ', 3, 4), u"320 200"_s);
        QCOMPARE(rows[1].simplified().section(u' ', 10, 10), rows[0].simplified().section(u' ', 10, 10));
        QCOMPARE(rows[2].simplified().section(u' ', 3, 4), u"16 16"_s);
        // The photo is there byte for byte.
        QVERIFY(swapped.contains(prepared[0].jpeg));
    }

    void pictureFilesAreReadOnlyWhenDrawn()
    {
        struct Drawn final : PrintTarget
        {
            QList<QSize> sizes;
            bool setLandscape() override { return true; }
            bool setMillimetres() override { return true; }
            bool printLine(const QString&) override { return true; }
            bool drawPicture(const platform::Picture& picture, const QRectF&) override
            {
                sizes << picture.size();
                return true;
            }
            bool drawText(const TextBlock&, const QSizeF&, const QRectF&) override { return true; }
            bool drawFrame(const QRectF&) override { return true; }
            bool drawCircle(const QRectF&) override { return true; }
            bool drawLine(const QPointF&, const QPointF&) override { return true; }
            bool clipToRing(const QRectF&, const QRectF&) override { return true; }
            bool endClip() override { return true; }
            bool setLabelPaper(const QSizeF&) override { return true; }
            QPointF printableOrigin() const override { return {}; }
            bool endPage() override { return true; }
            bool endJob() override { return true; }
        } drawn;
        const LazyPictureTarget::Files files = {m_env->path(u"pictures/face0.png"_s), QString(),
                                                m_env->path(u"pictures/face2.png"_s), QString()};
        const LazyPictureTarget::Pictures standIns = LazyPictureTarget::makeStandIns(files);
        QVERIFY(!standIns[0].isNull() && standIns[1].isNull() && !standIns[2].isNull());
        QVERIFY(!standIns[0].sameAs(standIns[2]));
        LazyPictureTarget target(drawn, standIns, files);
        QVERIFY(target.drawPicture(standIns[0], QRectF(20, 20, 120, 120)));
        QCOMPARE(drawn.sizes, QList<QSize>{QSize(64, 48)});
        // The file went away after the set was read: the face is named, nothing is drawn.
        QVERIFY(QFile::remove(files[2]));
        QVERIFY(!target.drawPicture(standIns[2], QRectF(20, 20, 150, 118)));
        QCOMPARE(target.failedFace(), 2);
        QCOMPARE(drawn.sizes.size(), 1);
    }

    void helpVersionAndABrokenDatabase()
    {
        const Run help = batch({u"--help"_s});
        QCOMPARE(help.code, 0);
        QVERIFY(help.out.startsWith(u"Usage: orvella-batch"_s) && help.err.isEmpty());
        QVERIFY(help.out.contains(u"--offset X,Y"_s) && !help.out.contains(u'\r'));
        const Run version = batch({u"--version"_s});
        QCOMPARE(version.code, 0);
        QCOMPARE(version.out, u"orvella-batch %1.%2.%3.%4\n"_s.arg(ORVELLA_VERSION_MAJOR)
                                  .arg(ORVELLA_VERSION_MINOR)
                                  .arg(ORVELLA_VERSION_BUILD)
                                  .arg(ORVELLA_VERSION_REVISION));

        // The tool beside a database that is not there, then one that is damaged: a message
        // on stderr and an exit, never a question.
        const QString copy = m_env->path(u"bin/orvella-batch"_s);
        QDir().mkpath(m_env->path(u"bin"_s));
        QVERIFY(QFile::copy(QStringLiteral(ORVELLA_BATCH), copy));
        const Run noDatabase = runProgram(copy, {m_set});
        QCOMPARE(noDatabase.code, 6);
        QVERIFY2(noDatabase.err.contains(m_env->path(u"bin/Spoken.DBF"_s)),
                 qPrintable(noDatabase.err));
        // The command line is judged before the database: usage and a bad option are still
        // answered, in the words of the copy built into the tool.
        const Run helpAnyway = runProgram(copy, {u"--help"_s});
        QCOMPARE(helpAnyway.code, 0);
        QCOMPARE(helpAnyway.out, help.out);
        const Run badAnyway = runProgram(copy, {u"--colour"_s, m_set});
        QCOMPARE(badAnyway.code, 2);
        QVERIFY2(badAnyway.err.contains(text(1422).remove(QRegularExpression(u"\\s*:$"_s))),
                 qPrintable(badAnyway.err));
        m_env->writeFile(u"bin/Spoken.DBF"_s, "[SPOKEN]\r\nNumLanguages=2\r\n");
        const Run damaged = runProgram(copy, {m_set});
        QCOMPARE(damaged.code, 6);
        QVERIFY(damaged.err.startsWith(u"orvella-batch: "_s));
        QVERIFY(!QFile::exists(m_env->path(u"cover.pdf"_s)));
    }
};

QTEST_MAIN(TestBatch)
#include "tst_batch.moc"
