// A printer's calibration without a single widget: what is typed and what is stored, the
// sheets it moves and stretches, and whether they still fit the printer's printable area.
#include "CalibratedTarget.h"
#include "PrintLayout.h"
#include "PrintableAreaCheck.h"
#include "PrinterCalibration.h"
#include "RecordingTarget.h"
#include "Settings.h"
#include "LangTestEnv.h"

#include <QTest>

using namespace recording;

namespace {

struct CalibrationFixture
{
    LangTestEnv env{2};
    ScriptedUi ui;
};

PrinterCalibration calibration(QPointF offset, QPointF scale)
{
    PrinterCalibration c;
    c.offset = offset;
    c.scale = scale;
    return c;
}

// The printable area of a landscape page with Qt's PDF margins (10 pt all round).
QSizeF landscapeArea(double paperWidth, double paperHeight)
{
    const double margin = 10 * 25.4 / 72;
    return QSizeF(paperWidth - 2 * margin, paperHeight - 2 * margin);
}

} // namespace

namespace {

PrintableAreaCheck::Wording wording()
{
    return {LangString(1442), LangString(1444), LangString(1446), LangString(1448)};
}

} // namespace

class TestCalibration : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typedValuesAreNumbersInRangeWithOneDecimal_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("offset");  // else a scale
        QTest::addColumn<double>("value"); // NaN: refused
        const double no = std::nan("");
        QTest::newRow("point") << "1.5" << true << 1.5;
        QTest::newRow("comma") << "-0,8" << true << -0.8;
        QTest::newRow("blanks and sign") << " +10 " << true << 10.0;
        QTest::newRow("the edge") << "-10.0" << true << -10.0;
        QTest::newRow("just beyond") << "10.1" << true << no;
        QTest::newRow("two decimals") << "1.25" << true << no;
        QTest::newRow("text") << "abc" << true << no;
        QTest::newRow("empty") << "" << true << no;
        QTest::newRow("exponent") << "1e1" << true << no;
        QTest::newRow("a scale as offset") << "101" << true << no;
        QTest::newRow("scale") << "99.5" << false << 99.5;
        QTest::newRow("scale edges") << "105" << false << 105.0;
        QTest::newRow("scale too small") << "94.9" << false << no;
        QTest::newRow("scale too large") << "105.1" << false << no;
        QTest::newRow("negative scale") << "-100" << false << no;
    }
    void typedValuesAreNumbersInRangeWithOneDecimal()
    {
        QFETCH(QString, typed);
        QFETCH(bool, offset);
        QFETCH(double, value);
        const std::optional<double> parsed =
            offset ? PrinterCalibration::parseOffset(typed) : PrinterCalibration::parseScale(typed);
        QCOMPARE(parsed.has_value(), !std::isnan(value));
        if (parsed)
            QCOMPARE(*parsed, value);
    }

    void eachPrinterKeepsItsOwnValues()
    {
        CalibrationFixture f;
        // Nothing stored: uncalibrated.
        const PrinterCalibration none = PrinterCalibration::load(QStringLiteral("Office"));
        QCOMPARE(none.offset, QPointF(0, 0));
        QCOMPARE(none.scale, QPointF(100, 100));

        calibration({1.5, -0.8}, {101, 99.5}).save(PrinterCalibration::pdfPrinterName());
        calibration({-2, 3}, {96, 104.9}).save(QStringLiteral("lab/west"));
        const PrinterCalibration pdf = PrinterCalibration::load(QStringLiteral("PDF file"));
        QCOMPARE(pdf.offset, QPointF(1.5, -0.8));
        QCOMPARE(pdf.scale, QPointF(101, 99.5));
        // A separator in a name opens no group of its own, nor reaches another printer's.
        QCOMPARE(PrinterCalibration::load(QStringLiteral("lab/west")).scale, QPointF(96, 104.9));
        QCOMPARE(PrinterCalibration::load(QStringLiteral("lab")).scale, QPointF(100, 100));
        QCOMPARE(PrinterCalibration::load(QStringLiteral("Office")).offset, QPointF(0, 0));
        QCOMPARE(platform::GetSetting(QStringLiteral("ORVLA"),
                                      QStringLiteral("Calibration/PDF file"),
                                      QStringLiteral("OffsetY")),
                 QStringLiteral("-0.8"));

        // A hand-edited store with a value out of range is not a calibration.
        platform::SaveSetting(QStringLiteral("ORVLA"), QStringLiteral("Calibration/PDF file"),
                              QStringLiteral("ScaleX"), QStringLiteral("150"));
        QCOMPARE(PrinterCalibration::load(PrinterCalibration::pdfPrinterName()).offset,
                 QPointF(0, 0));
        QCOMPARE(PrinterCalibration::toText(-0.04), QStringLiteral("0.0"));
        QCOMPARE(PrinterCalibration::toText(99.5), QStringLiteral("99.5"));
    }

    void calibratedTargetMovesPicturesAndFramesButNotCaptions()
    {
        CalibrationFixture f;
        Recording rec;
        rec.pictures = somePictures(QStringLiteral("FIBC"));
        RecordingTarget recorder(rec, f.ui);
        CalibratedTarget calibrated(recorder, calibration({1.5, -0.8}, {101, 99.5}));
        const PrintLayout layout(flags(QStringLiteral("F")), rec.pictures, captions());
        QVERIFY(layout.print(calibrated));
        QCOMPARE(
            rec.ops.join('|'),
            QStringList({"landscape", "mm", kSheet1Start, "picture Inside 21.7,19.1 121.2x119.4",
                         "frame 21.7,19.1 121.2x119.4", "picture Front 142.9,19.1 121.2x119.4",
                         "frame 142.9,19.1 121.2x119.4", "page", "job"})
                .join('|'));
    }

    void sheetsMustFitThePrintableArea()
    {
        CalibrationFixture f;
        const auto pictures = somePictures(QStringLiteral("FIBC"));
        const PrintLayout all(flags(QStringLiteral("FIBC")), pictures, captions());
        QCOMPARE(all.printedSheets(), QList<int>({1, 2, 3}));
        QCOMPARE(PrintableAreaCheck::needed(1, PrinterCalibration()), QSizeF(260, 140));
        QCOMPARE(PrintableAreaCheck::needed(2, PrinterCalibration()), QSizeF(170, 138));
        QCOMPARE(PrintableAreaCheck::needed(3, PrinterCalibration()), QSizeF(170, 138));

        // A4 and Letter hold every sheet; exactly the size needed is enough.
        QVERIFY(PrintableAreaCheck(all, landscapeArea(297, 210), {}).fits());
        QVERIFY(PrintableAreaCheck(all, landscapeArea(279.4, 215.9), {}).fits());
        QVERIFY(PrintableAreaCheck(all, QSizeF(260, 140), {}).fits());

        // A5: the booklet misses width, the other sheets fit.
        const PrintableAreaCheck a5(all, landscapeArea(210, 148), {});
        QCOMPARE(a5.shortfalls().size(), 1);
        QCOMPARE(a5.shortfalls()[0].sheet, 1);
        QCOMPARE(a5.shortfalls()[0].height, 0.0);
        QVERIFY(std::abs(a5.shortfalls()[0].width - (260 - 202.944)) < 0.01);
        QCOMPARE(a5.question(wording()), LangString(1442) + "\r\nSheet 1 (" + LangString(1318) +
                                    "): 57.1 mm missing in width\r\n\r\n" + LangString(1448));

        // The calibration moves the far corner: 1.5 + 170 * 1.01 = 173.2 mm across.
        const PrintLayout back(flags(QStringLiteral("B")), pictures, captions());
        const PrinterCalibration stretched = calibration({1.5, 1}, {101, 100});
        QVERIFY(PrintableAreaCheck(back, QSizeF(173.2, 139), stretched).fits());
        const PrintableAreaCheck tight(back, QSizeF(173, 138), stretched);
        QCOMPARE(tight.shortfalls().size(), 1);
        QCOMPARE(tight.shortfalls()[0].sheet, 2);
        QVERIFY(std::abs(tight.shortfalls()[0].width - 0.2) < 1e-9);
        QVERIFY(std::abs(tight.shortfalls()[0].height - 1.0) < 1e-9);
        QVERIFY(tight.question(wording()).contains(QStringLiteral("Sheet 2 (") + LangString(1316) +
                                          QStringLiteral("): 0.2 mm missing in width\r\n")));
        QVERIFY(tight.question(wording()).contains(QStringLiteral("Sheet 2 (") + LangString(1316) +
                                          QStringLiteral("): 1.0 mm missing in height")));
        // Nothing chosen, nothing to fit.
        QVERIFY(
            PrintableAreaCheck(PrintLayout(flags(QString()), pictures, captions()), QSizeF(1, 1), {})
                .fits());
    }
};

QTEST_GUILESS_MAIN(TestCalibration)
#include "tst_calibration.moc"
