// Print preview, the question before sheets that the printer's printable area cannot hold,
// and each printer's calibration, measured on real PDF paper.
#include "PaperMeasure.h"
#include "PrintLayout.h"
#include "PrintTestSupport.h"
#include "PrinterCalibration.h"
#include "frmPreview.h"

#include <QComboBox>
#include <QFile>
#include <QPrintPreviewWidget>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

using platform::MsgButtons;
using platform::MsgResult;

namespace {

const QMarginsF kMargins(12.5, 7.5, 11, 9);

// Looks at the preview as a user would (every page drawn), then leaves it by `button`:
// 0 Print, 1 Cancel. `pages` receives how many pages it showed.
ScriptedUi::DialogScript previewAndLeave(int button, int* pages)
{
    return [button, pages](QDialog* dialog) {
        auto* preview = qobject_cast<frmPreview*>(dialog);
        if (!preview)
            return int(QDialog::Rejected);
        preview->preview()->updatePreview();
        *pages = preview->preview()->pageCount();
        (button == 0 ? preview->btnPrint() : preview->btnCancel())->click();
        return preview->result();
    };
}

} // namespace

class TestPrintPreview : public QObject
{
    Q_OBJECT

    // A preview of three pages, leafed through and zoomed as a user does.
    static void turnPagesAndZoom(frmPreview* preview)
    {
        QCOMPARE(preview->windowTitle(), QStringLiteral("Print preview"));
        QCOMPARE(preview->btnPrint()->text(), LangString(1470));
        QCOMPARE(preview->btnCancel()->text(), LangString(1046));
        QCOMPARE(preview->preview()->pageCount(), 3);
        QCOMPARE(preview->preview()->orientation(), QPageLayout::Landscape);
        QCOMPARE(preview->txtPage()->maximum(), 3);
        QVERIFY(!preview->btnPrevious()->isEnabled());
        preview->btnNext()->click();
        QCOMPARE(preview->preview()->currentPage(), 2);
        QCOMPARE(preview->txtPage()->value(), 2);
        preview->txtPage()->setValue(3);
        QCOMPARE(preview->preview()->currentPage(), 3);
        QVERIFY(!preview->btnNext()->isEnabled());

        QComboBox* zoom = preview->cboZoom();
        QCOMPARE(zoom->itemText(0), LangString(1466));
        QCOMPARE(zoom->itemText(1), LangString(1468));
        zoom->activated(1);
        QCOMPARE(preview->preview()->zoomMode(), QPrintPreviewWidget::FitToWidth);
        const int twice = zoom->findData(200);
        zoom->activated(twice);
        QCOMPARE(preview->preview()->zoomMode(), QPrintPreviewWidget::CustomZoom);
        QCOMPARE(preview->preview()->zoomFactor(), 2.0);
        zoom->activated(0);
        QCOMPARE(preview->preview()->zoomMode(), QPrintPreviewWidget::FitInView);
    }

private Q_SLOTS:
    void previewShowsExactlyThePagesPrintPrints_data()
    {
        QTest::addColumn<QString>("faces");
        QTest::addColumn<int>("pages");
        QTest::newRow("every face") << QStringLiteral("FIBC") << 3;
        QTest::newRow("front alone brings the booklet") << QStringLiteral("F") << 1;
        QTest::newRow("back and cd") << QStringLiteral("BC") << 2;
    }
    void previewShowsExactlyThePagesPrintPrints()
    {
        if (!paper::havePoppler())
            QSKIP("poppler-utils (pdftoppm, pdfinfo) is not installed");
        QFETCH(QString, faces);
        QFETCH(int, pages);
        CoverFixture f;
        const auto cover = coverWithPictures(f, QStringLiteral("FIBC"), QStringLiteral("FIBC"));
        const QString printed = f.env.path(QStringLiteral("printed.pdf"));
        const QString previewed = f.env.path(QStringLiteral("previewed.pdf"));

        f.ui.answerDialog(selectFaces(faces));
        f.ui.answerDialog(choosePdf(printed, QPageSize::A4, kMargins));
        cover->PrintCover();

        int shown = -1;
        f.ui.answerDialog(selectFaces(faces));
        f.ui.answerDialog(choosePdf(previewed, QPageSize::A4, kMargins));
        f.ui.answerDialog(previewAndLeave(0, &shown));
        f.window->mnuPrintPreview_Click();
        QVERIFY(f.ui.scriptDone());
        QVERIFY(f.ui.messages.isEmpty());
        QCOMPARE(shown, pages);
        QCOMPARE(paper::pageCount(printed), pages);
        QCOMPARE(paper::pageCount(previewed), pages);
        QCOMPARE(f.ui.busyDepth, 0);
    }

    void cancelAnywhereInThePreviewPrintsNothing()
    {
        CoverFixture f;
        const auto cover = coverWithPictures(f, QStringLiteral("FIBC"), QStringLiteral("FIBC"));
        const QString pdf = f.env.path(QStringLiteral("never.pdf"));
        // The selection, the print dialog, then the preview itself.
        f.ui.answerDialog(selectFaces(QStringLiteral("F"), 1));
        cover->PreviewCover();
        f.ui.answerDialog(selectFaces(QStringLiteral("F")));
        f.ui.answerDialog([](QDialog*) { return int(QDialog::Rejected); });
        cover->PreviewCover();
        int shown = -1;
        f.ui.answerDialog(selectFaces(QStringLiteral("FIBC")));
        f.ui.answerDialog(choosePdf(pdf, QPageSize::A4, kMargins));
        f.ui.answerDialog(previewAndLeave(1, &shown));
        cover->PreviewCover();
        QVERIFY(f.ui.scriptDone());
        QCOMPARE(f.ui.dialogsShown, 6);
        QCOMPARE(shown, 3);
        QVERIFY(!QFile::exists(pdf));
        QVERIFY(f.ui.messages.isEmpty());
    }

    void previewTurnsPagesAndZooms()
    {
        CoverFixture f;
        const auto cover = coverWithPictures(f, QStringLiteral("FIBC"), QStringLiteral("FIBC"));
        f.ui.answerDialog(selectFaces(QStringLiteral("FIBC")));
        f.ui.answerDialog(choosePdf(f.env.path(QStringLiteral("p.pdf")), QPageSize::A4, kMargins));
        f.ui.answerDialog([](QDialog* dialog) {
            auto* preview = qobject_cast<frmPreview*>(dialog);
            preview->show();
            turnPagesAndZoom(preview);
            preview->btnCancel()->click();
            return preview->result();
        });
        cover->PreviewCover();
        QVERIFY(f.ui.scriptDone());
    }

    void sheetsBeyondThePrintableAreaAreAskedAbout_data()
    {
        QTest::addColumn<bool>("preview");
        QTest::addColumn<bool>("anyway");
        QTest::newRow("print, cancelled") << false << false;
        QTest::newRow("print anyway") << false << true;
        QTest::newRow("preview, cancelled") << true << false;
        QTest::newRow("preview anyway") << true << true;
    }
    void sheetsBeyondThePrintableAreaAreAskedAbout()
    {
        QFETCH(bool, preview);
        QFETCH(bool, anyway);
        CoverFixture f;
        const auto cover = coverWithPictures(f, QStringLiteral("FIBC"), QStringLiteral("FIBC"));
        const QString pdf = f.env.path(QStringLiteral("a5.pdf"));
        // A5 across is 210 x 148 mm: the booklet misses width and height, the Back sheet fits.
        f.ui.answerDialog(selectFaces(QStringLiteral("FB")));
        f.ui.answerDialog(choosePdf(pdf, QPageSize::A5, QMarginsF(5, 5, 5, 5)));
        f.ui.answerMessage(anyway ? MsgResult::Yes : MsgResult::No);
        int shown = -1;
        if (preview && anyway)
            f.ui.answerDialog(previewAndLeave(0, &shown));
        if (preview)
            cover->PreviewCover();
        else
            cover->PrintCover();
        QVERIFY(f.ui.scriptDone());
        QCOMPARE(f.ui.messages.size(), 1);
        const ScriptedUi::Message& asked = f.ui.messages.first();
        QCOMPARE(asked.buttons, MsgButtons::YesNo);
        QCOMPARE(asked.title, QStringLiteral("ORVLA"));
        const QStringList lines = asked.text.split(QStringLiteral("\r\n"));
        QCOMPARE(lines.first(), LangString(1442));
        QCOMPARE(lines.last(), LangString(1448));
        const QString booklet = QStringLiteral("Sheet 1 (%1): ").arg(LangString(1318));
        QVERIFY2(lines.at(1).startsWith(booklet) && lines.at(1).endsWith(u" mm missing in width"),
                 qPrintable(asked.text));
        QVERIFY2(lines.at(2).startsWith(booklet) && lines.at(2).endsWith(u" mm missing in height"),
                 qPrintable(asked.text));
        QVERIFY2(!asked.text.contains(QStringLiteral("Sheet 2")), qPrintable(asked.text));
        QCOMPARE(QFile::exists(pdf), anyway);
        if (anyway && paper::havePoppler())
            QCOMPARE(paper::pageCount(pdf), 2);
        if (preview && anyway)
            QCOMPARE(shown, 2);
    }

    void calibratedFramesLandWhereTheCalibrationPutsThem_data()
    {
        QTest::addColumn<bool>("preview");
        QTest::newRow("print") << false;
        QTest::newRow("printed from the preview") << true;
    }
    void calibratedFramesLandWhereTheCalibrationPutsThem()
    {
        if (!paper::havePoppler())
            QSKIP("poppler-utils (pdftoppm, pdfinfo) is not installed");
        QFETCH(bool, preview);
        CoverFixture f;
        PrinterCalibration calibration;
        calibration.offset = QPointF(1.5, -0.8);
        calibration.scale = QPointF(101, 99.5);
        calibration.save(PrinterCalibration::pdfPrinterName());
        // Another printer's values stay with that printer.
        PrinterCalibration other;
        other.offset = QPointF(-6, 7);
        other.save(QStringLiteral("Office"));

        const auto cover = coverWithPictures(f, QStringLiteral("FIBC"), QStringLiteral("FIBC"));
        const QString pdf = f.env.path(QStringLiteral("calibrated.pdf"));
        f.ui.answerDialog(selectFaces(QStringLiteral("FIBC")));
        f.ui.answerDialog(choosePdf(pdf, QPageSize::A4, kMargins));
        int shown = -1;
        if (preview) {
            f.ui.answerDialog(previewAndLeave(0, &shown));
            cover->PreviewCover();
        } else {
            cover->PrintCover();
        }
        QVERIFY(f.ui.scriptDone());
        QVERIFY(f.ui.messages.isEmpty());
        QCOMPARE(paper::pageCount(pdf), 3);

        const QPointF corner = paper::printableCorner(QPageLayout(
            QPageSize(QPageSize::A4), QPageLayout::Landscape, kMargins, QPageLayout::Millimeter));
        constexpr int dpi = 720;
        const QList<QList<QRectF>> frames = {{PrintLayout::kInsideRect, PrintLayout::kFrontRect},
                                             {PrintLayout::kBackRect},
                                             {PrintLayout::kCdRect}};
        double worst = 0;
        for (int page = 1; page <= 3; ++page) {
            const QImage sheet =
                paper::render(pdf, page, dpi, f.env.path(QStringLiteral("page%1").arg(page)));
            QVERIFY(!sheet.isNull());
            for (const QRectF& mm : frames[page - 1]) {
                const QRectF onPaper = calibration.map(mm).translated(corner);
                for (double along : {3.0, -3.0}) {
                    const paper::Edges edges = paper::measureFrame(sheet, dpi, onPaper, along);
                    const double deviation = paper::worstDeviation(edges, onPaper);
                    worst = std::max(worst, deviation);
                    QVERIFY2(deviation <= 0.05, qPrintable(QStringLiteral("page %1: ").arg(page) +
                                                           paper::describe(edges, onPaper)));
                }
            }
        }
        qInfo("calibrated frames: worst edge %.3f mm from where the calibration puts it", worst);
    }
};

QTEST_MAIN(TestPrintPreview)
#include "tst_printpreview.moc"
