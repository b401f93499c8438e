// Printing a cover set: the sheets' layout as a sequence of printer operations, the
// printer target's millimetres, the print selection dialog, the Print command, and real
// PDF output measured on paper.
#include "LabelSheet.h"
#include "PageTarget.h"
#include "PaperMeasure.h"
#include "PrintLayout.h"
#include "PrintTarget.h"
#include "PrintTestSupport.h"
#include "PrinterCalibration.h"
#include "PrinterTarget.h"
#include "RecordingTarget.h"
#include "TextOnPaper.h"
#include "Twips.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>

#include <cmath>

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;
using platform::Picture;
using namespace Qt::StringLiterals;
using namespace recording;

namespace {

// The shipped label sheets, in the user's data folder as a user's own would be.
QString installLabelSheets(const QString& xdgData)
{
    const QString folder = QDir(xdgData).filePath(u"ORVLA/ORVLA/labels"_s);
    QDir().mkpath(folder);
    const QDir shipped(QStringLiteral(ORVELLA_SOURCE_DIR "/resources/labels"));
    const QStringList names = shipped.entryList({u"*.ini"_s}, QDir::Files);
    for (const QString& name : names)
        QFile::copy(shipped.filePath(name), QDir(folder).filePath(name));
    return folder;
}

// Ticks the faces named, chooses a label sheet ("" for the CD's own page) and its labels,
// sets the fold marks, and presses Print.
ScriptedUi::DialogScript selectSheet(const QString& which, const QString& sheet,
                                     const QString& positions, bool foldMarks = true)
{
    return [=](QDialog* dialog) {
        auto* selection = qobject_cast<frmPrint*>(dialog);
        if (!selection)
            return int(QDialog::Rejected);
        for (int face = 0; face < kFaceCount; ++face)
            selection->checkBox(face)->setChecked(which.contains(QLatin1Char("FIBC"[face])));
        const int index = sheet.isEmpty() ? 0 : selection->labelSheetField()->findData(sheet);
        if (index < 0)
            return int(QDialog::Rejected);
        selection->labelSheetField()->setCurrentIndex(index);
        selection->positionsField()->setText(positions);
        selection->foldMarksField()->setChecked(foldMarks);
        selection->btnAccion(0)->click();
        return selection->result();
    };
}

} // namespace

class TestPrint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void millimetresUseEachAxisOwnResolution()
    {
        // 254 x 508 dpi: a millimetre is exactly 10 pixels across and 20 down.
        QImage sheet(3000, 3200, QImage::Format_RGB32);
        sheet.setDotsPerMeterX(10000);
        sheet.setDotsPerMeterY(20000);
        sheet.fill(Qt::white);
        {
            PageTarget target(&sheet);
            QVERIFY(!target.setLandscape()); // an image has no orientation to turn
            QVERIFY(target.setMillimetres());
            QCOMPARE(target.unitX(), 10.0);
            QCOMPARE(target.unitY(), 20.0);
            QVERIFY(target.printLine(QStringLiteral("Caption")));
            QVERIFY(target.drawPicture(solid(Qt::red), QRectF(20, 20, 120, 120)));
            QVERIFY(target.drawFrame(QRectF(20, 20, 120, 120)));
            QVERIFY(!target.drawPicture(Picture(), QRectF(140, 20, 120, 120)));
            QVERIFY(target.endJob());
        }
        const auto dark = [&](int x, int y) { return qGray(sheet.pixel(x, y)) < 100; };
        const auto red = [&](int x, int y) { return sheet.pixel(x, y) == qRgb(255, 0, 0); };
        // The frame lies on the picture's edges (x 200 and 1400, y 400 and 2800), on top
        // of it; the picture fills it exactly, stretched.
        for (int y : {420, 1600, 2780}) {
            QVERIFY(dark(200, y) || dark(201, y));
            QVERIFY(dark(1400, y) || dark(1399, y));
            QVERIFY(red(203, y) && red(1397, y));
            QVERIFY(!dark(197, y) && !red(197, y) && !red(1403, y));
        }
        for (int x : {210, 800, 1390}) {
            QVERIFY(dark(x, 400) || dark(x, 401));
            QVERIFY(dark(x, 2800) || dark(x, 2799));
            QVERIFY(red(x, 403) && red(x, 2797));
            QVERIFY(!red(x, 396) && !red(x, 2804));
        }
        // The caption starts at the top-left corner, within the band above the frame.
        int inked = 0;
        for (int y = 0; y < 400; ++y)
            for (int x = 0; x < 200; ++x)
                inked += dark(x, y) ? 1 : 0;
        QVERIFY(inked > 20);
    }

    void printerThatCannotBeOpenedFailsTheJob()
    {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(QStringLiteral("/nonexistent-folder/x/out.pdf"));
        PrinterTarget target(std::move(printer));
        QVERIFY(target.setMillimetres());
        QVERIFY(!target.printLine(QStringLiteral("x")));
        QVERIFY(!target.drawFrame(QRectF(20, 20, 10, 10)));
        QVERIFY(!target.endPage());
        QVERIFY(!target.endJob());
        // A job with nothing in it is no failure and needs no printer at all.
        PrinterTarget empty(std::make_unique<QPrinter>());
        QVERIFY(empty.endJob());
        QCOMPARE(empty.pageCount(), 0);
    }

    void selectionDialogLayoutAndTexts()
    {
        CoverFixture f;
        f.window->mnuNew_Click();
        frmPrint dialog(&f.window->activeCover()->set());
        QCOMPARE(dialog.windowTitle(), LangString(1348));
        const int texts[] = {1172, 1204, 1124};
        for (int face = 0; face < 3; ++face)
            QCOMPARE(dialog.checkBox(face)->text(), LangString(texts[face]));
        QCOMPARE(dialog.checkBox(3)->text(), QStringLiteral("CD"));
        QCOMPARE(dialog.btnAccion(0)->text(), LangString(1088));
        QCOMPARE(dialog.btnAccion(1)->text(), LangString(1046));
        QCOMPARE(dialog.btnAccion(0)->objectName(), QStringLiteral("btnAccion_0"));

        // Places as designed; a control may only have grown to fit its text.
        const QStringList names = {"chkFront", "chkInside", "chkBack", "chkCD"};
        for (int face = 0; face < kFaceCount; ++face) {
            QCheckBox* box = dialog.findChild<QCheckBox*>(names[face]);
            QCOMPARE(box, dialog.checkBox(face));
            const QRect design = platform::twipsRect(225, 105 + 285 * face, 1245, 285);
            QCOMPARE(box->pos(), design.topLeft());
            QVERIFY(box->width() >= design.width() && box->height() >= design.height());
            QVERIFY(box->width() >= box->sizeHint().width());
        }
        QCOMPARE(dialog.btnAccion(0)->pos(), platform::twipsRect(1770, 105, 0, 0).topLeft());
        QCOMPARE(dialog.btnAccion(1)->pos(), platform::twipsRect(1785, 795, 0, 0).topLeft());
        const QSize client = platform::twipsSize(3135, 1320);
        QVERIFY(dialog.width() >= client.width() && dialog.height() >= client.height());
        for (QWidget* child : dialog.findChildren<QWidget*>())
            QVERIFY(dialog.rect().contains(child->geometry()));

        const QList<QWidget*> tabOrder = {dialog.checkBox(0),  dialog.checkBox(1),
                                          dialog.checkBox(2),  dialog.btnAccion(0),
                                          dialog.btnAccion(1), dialog.checkBox(3)};
        for (int i = 1; i < tabOrder.size(); ++i)
            QCOMPARE(tabOrder[i - 1]->nextInFocusChain(), tabOrder[i]);

        // Another language changes every text but the CD box's.
        lang::LangRuntime::instance().reset();
        lang::LangRuntime::instance().setCurrentLanguage(4);
        frmPrint german(&f.window->activeCover()->set());
        QCOMPARE(german.checkBox(0)->text(), QStringLiteral("&Vorderseite"));
        QCOMPARE(german.checkBox(3)->text(), QStringLiteral("CD"));
        QVERIFY(german.checkBox(0)->width() >= german.checkBox(0)->sizeHint().width());
    }

    void selectionPresetComesFromPictureFilesOnly()
    {
        CoverFixture f;
        // Inside shows a picture that has no file; CD has nothing at all.
        const auto cover = coverWithPictures(f, QStringLiteral("FIB"), QStringLiteral("FB"));
        cover->setPrintCD(true);
        cover->setPrintInside(true);
        frmPrint dialog(&cover->set());
        QCOMPARE(dialog.Cover(), &cover->set());
        const bool offered[] = {true, false, true, false};
        for (int face = 0; face < kFaceCount; ++face) {
            QCOMPARE(dialog.checkBox(face)->isEnabled(), offered[face]);
            QCOMPARE(dialog.checkBox(face)->isChecked(), offered[face]);
        }
    }

    void confirmWritesAllFourFlagsCancelWritesNothing()
    {
        CoverFixture f;
        const auto cover = coverWithPictures(f, QStringLiteral("FIBC"), QStringLiteral("FIB"));
        {
            frmPrint dialog(&cover->set());
            dialog.checkBox(2)->setChecked(false);
            dialog.checkBox(3)->setChecked(true); // disabled: does not count
            dialog.btnAccion_Click(0);
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
        }
        QVERIFY(cover->PrintFront() && cover->PrintInside());
        QVERIFY(!cover->PrintBack() && !cover->PrintCD());

        cover->setPrintBack(true);
        frmPrint dialog(&cover->set());
        for (int face = 0; face < kFaceCount; ++face)
            dialog.checkBox(face)->setChecked(false);
        dialog.btnAccion(1)->click();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(cover->PrintFront() && cover->PrintInside() && cover->PrintBack());
        QVERIFY(!cover->PrintCD());
    }

    void printCommandPrintsTheChosenFacesFullPictures()
    {
        CoverFixture f;
        const auto cover = coverWithPictures(f, QStringLiteral("FIBC"), QStringLiteral("FIBC"));
        Recording rec;
        for (int face = 0; face < kFaceCount; ++face)
            rec.pictures[face] = cover->frmCover()->imageArea(face)->picture();
        const PrintTargetFactory recorder = [&] {
            ++rec.targetsMade;
            return std::make_unique<RecordingTarget>(rec, f.ui);
        };
        bool keptByTheSet = false;
        f.ui.answerDialog([&](QDialog* dialog) {
            keptByTheSet = cover->frmPrint() == dialog;
            return selectFaces(QStringLiteral("IC"))(dialog);
        });
        cover->PrintCover({}, recorder);
        QVERIFY(f.ui.scriptDone());
        QVERIFY(keptByTheSet);
        QVERIFY(!cover->frmPrint()); // unloaded when it closed
        QCOMPARE(rec.targetsMade, 1);
        // The image areas' own pictures, not their screen copies.
        QCOMPARE(rec.ops.join('|'),
                 QStringList({"landscape", "mm", kSheet1Start, kInsidePicture, kInsideFrame,
                              kFrontPicture, kFrontFrame, "page", kCdSheet, "job"})
                     .join('|'));
        QVERIFY(!cover->PrintFront() && cover->PrintInside() && !cover->PrintBack() &&
                cover->PrintCD());
        // The busy cursor is up for every operation of the job, and down after it.
        QCOMPARE(rec.busyAtOp, QList<int>(rec.ops.size(), 1));
        QCOMPARE(f.ui.busyDepth, 0);
        QVERIFY(f.ui.messages.isEmpty());
    }

    void printCommandStopsWithoutAsking_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("selection cancelled") << 0;
        QTest::newRow("active cover gone") << 1;
        QTest::newRow("only an empty back chosen") << 2;
        QTest::newRow("print dialog cancelled") << 3;
    }
    void printCommandStopsWithoutAsking()
    {
        QFETCH(int, how);
        CoverFixture f;
        const auto cover = coverWithPictures(f, QStringLiteral("FI"), QStringLiteral("FI"));
        cover->setFilePictureBack(f.env.path(QStringLiteral("back-file-but-no-picture.png")));
        cover->setPrintFront(true);
        const int busyBefore = f.ui.busyCalls; // loading the pictures
        int printDialogs = 0;
        f.ui.answerDialog([&](QDialog* dialog) {
            if (how == 1) { // the set's window closed meanwhile: no set is active
                cover->setNeedSave(false);
                f.window->mdiArea()->closeAllSubWindows();
            }
            return selectFaces(how == 2 ? QStringLiteral("B") : QStringLiteral("F"),
                               how == 0 ? 1 : 0)(dialog);
        });
        if (how == 3) {
            f.ui.answerDialog([&](QDialog* dialog) {
                printDialogs += qobject_cast<QPrintDialog*>(dialog) ? 1 : 0;
                return int(QDialog::Rejected);
            });
        }
        f.window->mnuPrint_Click();
        QVERIFY(f.ui.scriptDone());
        QCOMPARE(f.ui.dialogsShown, how == 3 ? 2 : 1);
        QCOMPARE(printDialogs, how == 3 ? 1 : 0);
        QCOMPARE(f.ui.busyCalls, busyBefore);
        QVERIFY(f.ui.messages.isEmpty());
        // Cancel leaves the old choice; a confirmed one is this set's even when nothing
        // prints.
        QCOMPARE(cover->PrintFront(), how != 2);
        QCOMPARE(cover->PrintBack(), how == 2);
    }

    void printerFailureIsReported()
    {
        CoverFixture f;
        const auto cover = coverWithPictures(f, QStringLiteral("F"), QStringLiteral("F"));
        const PrintTargetFactory unwritable = [] {
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(QStringLiteral("/nonexistent-folder/x/out.pdf"));
            return std::make_unique<PrinterTarget>(std::move(printer));
        };
        f.ui.answerDialog(selectFaces(QStringLiteral("F")));
        f.ui.answerMessage(MsgResult::Ok);
        cover->PrintCover({}, unwritable);
        QVERIFY(f.ui.scriptDone());
        QCOMPARE(f.ui.messages.size(), 1);
        QCOMPARE(f.ui.messages[0].text, LangString(1362));
        QCOMPARE(f.ui.messages[0].title, QStringLiteral("ORVLA"));
        QCOMPARE(f.ui.messages[0].buttons, MsgButtons::Ok);
        QCOMPARE(f.ui.messages[0].icon, MsgIcon::Exclamation);
        QCOMPARE(f.ui.busyDepth, 0);
    }

    void allFourFacesOnRealPaper()
    {
        if (!paper::havePoppler())
            QSKIP("poppler-utils (pdftoppm, pdfinfo) is not installed");
        CoverFixture f;
        const auto cover = coverWithPictures(f, QStringLiteral("FIBC"), QStringLiteral("FIBC"));
        const QString pdf = f.env.path(QStringLiteral("cover.pdf"));
        // A portrait A4 with uneven margins: the layout turns it, and measures from the
        // printable area's corner.
        const QMarginsF margins(12.5, 7.5, 11, 9);
        f.ui.answerDialog(selectFaces(QStringLiteral("FIBC")));
        f.ui.answerDialog(choosePdf(pdf, QPageSize::A4, margins));
        cover->PrintCover();
        QVERIFY(f.ui.scriptDone());
        QVERIFY(f.ui.messages.isEmpty());
        QCOMPARE(paper::pageCount(pdf), 3);

        const QPageLayout landscape(QPageSize(QPageSize::A4), QPageLayout::Landscape, margins,
                                    QPageLayout::Millimeter);
        const QPointF printableCorner = paper::printableCorner(landscape);
        QVERIFY((printableCorner - QPointF(margins.left(), margins.top())).manhattanLength() < 0.7);

        // 720 dpi: 0.1 mm is 2.83 pixels.
        constexpr int dpi = 720;
        const QList<QList<QRectF>> frames = {{PrintLayout::kInsideRect, PrintLayout::kFrontRect},
                                             {PrintLayout::kBackRect},
                                             {PrintLayout::kCdRect}};
        for (int page = 1; page <= 3; ++page) {
            const QImage sheet =
                paper::render(pdf, page, dpi, f.env.path(QStringLiteral("page%1").arg(page)));
            QVERIFY(!sheet.isNull());
            QVERIFY2(sheet.width() > sheet.height(), "the page is not landscape");
            QVERIFY(std::abs(sheet.width() - 297 * dpi / 25.4) < 2);
            for (const QRectF& mm : frames[page - 1]) {
                const QRectF onPaper = mm.translated(printableCorner);
                // Each edge measured 3 mm from both of its corners.
                for (double along : {3.0, -3.0}) {
                    const paper::Edges edges = paper::measureFrame(sheet, dpi, onPaper, along);
                    QVERIFY2(paper::worstDeviation(edges, onPaper) <= 0.1,
                             qPrintable(QStringLiteral("page %1: ").arg(page) +
                                        paper::describe(edges, onPaper)));
                }
            }
        }
    }

    // Text blocks print from the window as real text in embedded fonts, each word where the
    // layout puts it, also on a face without a picture.
    void textOnRealPaper()
    {
        if (!paper::havePoppler() || !paper_text::havePdfToText())
            QSKIP("poppler-utils (pdftotext) is not installed");
        CoverFixture f;
        const auto cover = coverWithPictures(f, QStringLiteral("F"), QStringLiteral("F"));
        const QMarginsF margins(12.5, 7.5, 11, 9);
        const QPageLayout landscape(QPageSize(QPageSize::A4), QPageLayout::Landscape, margins,
                                    QPageLayout::Millimeter);
        const QPointF corner = paper::printableCorner(landscape);
        QList<paper_text::Placed> placed;
        const auto blocks = paper_text::coverText();
        for (const auto& [face, block] : blocks) {
            cover->set().addText(face, block);
            const QRectF rect = face == 0 ? PrintLayout::kFrontRect : PrintLayout::kBackRect;
            placed.append({face == 0 ? 1 : 2, corner + rect.topLeft(), block});
        }
        const QString pdf = f.env.path(QStringLiteral("text.pdf"));
        f.ui.answerDialog(selectFaces(QStringLiteral("FB")));
        f.ui.answerDialog(choosePdf(pdf, QPageSize::A4, margins));
        cover->PrintCover();
        QVERIFY(f.ui.scriptDone());
        QVERIFY(f.ui.messages.isEmpty());
        QCOMPARE(paper::pageCount(pdf), 2);
        QVERIFY(paper_text::fontsEmbedded(pdf));
        QString word;
        const double worst = paper_text::worstDistance(paper_text::printedWords(pdf), placed, &word);
        QVERIFY2(worst >= 0 && worst <= 0.1, qPrintable(QStringLiteral("%1 mm at %2").arg(worst).arg(word)));
    }

    // A round CD label on its own page and on every shipped label sheet, plain and on a
    // calibrated printer: its two circles and its picture's edge lie where the sheet puts
    // them, to 0.05 mm.
    void roundLabelsOnRealPaper_data()
    {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<QString>("positions");
        QTest::addColumn<bool>("calibrated");
        for (const bool calibrated : {false, true}) {
            const char* how = calibrated ? "calibrated" : "plain";
            QTest::addRow("own page, %s", how) << QString() << QString() << calibrated;
            QTest::addRow("a4-2, %s", how) << u"a4-2"_s << QString() << calibrated;
            QTest::addRow("a4-3, %s", how) << u"a4-3"_s << u"3,1"_s << calibrated;
            QTest::addRow("letter-2, %s", how) << u"letter-2"_s << u"2"_s << calibrated;
        }
    }

    void roundLabelsOnRealPaper()
    {
        if (!paper::havePoppler())
            QSKIP("poppler-utils (pdftoppm, pdfinfo) is not installed");
        QFETCH(QString, sheet);
        QFETCH(QString, positions);
        QFETCH(bool, calibrated);
        CoverFixture f;
        const QString labels = installLabelSheets(f.env.path(u"xdg/data"_s));
        const PrinterCalibration calibration =
            calibrated ? PrinterCalibration{{1.5, -2.0}, {101, 99}} : PrinterCalibration();
        calibration.save(PrinterCalibration::pdfPrinterName());
        const auto cover = coverWithPictures(f, u"C"_s, u"C"_s);
        cover->set().setDiscShape(DiscShape::roundLabel(117, 41));
        const std::optional<LabelSheet> labelSheet =
            sheet.isEmpty() ? std::nullopt
                            : LabelSheet::read(QDir(labels).filePath(sheet + u".ini"_s));
        QVERIFY(sheet.isEmpty() || labelSheet);
        const QPageSize::PageSizeId paperId =
            labelSheet && labelSheet->paperMm.width() > 212 ? QPageSize::Letter : QPageSize::A4;
        const QMarginsF margins(12.5, 7.5, 11, 9);
        const QString pdf = f.env.path(u"label.pdf"_s);
        f.ui.answerDialog(selectSheet(u"C"_s, sheet, positions));
        f.ui.answerDialog(choosePdf(pdf, paperId, margins));
        cover->PrintCover();
        QVERIFY(f.ui.scriptDone());
        QVERIFY(f.ui.messages.isEmpty());
        QCOMPARE(paper::pageCount(pdf), 1);

        // Where each label belongs on the paper: on its own page from the printable area's
        // corner, on a sheet where the sheet has it; the calibration moves both alike.
        QList<QRectF> squares;
        QPointF corner;
        if (!labelSheet) {
            corner = paper::printableCorner(QPageLayout(QPageSize(paperId), QPageLayout::Landscape,
                                                        margins, QPageLayout::Millimeter));
            squares.append(QRectF(20, 20, 117, 117));
        } else {
            corner = paper::printableCorner(QPageLayout(QPageSize(paperId), QPageLayout::Portrait,
                                                        margins, QPageLayout::Millimeter));
            const QList<int> chosen = *LabelSheet::parsePositions(positions, int(labelSheet->centres.size()));
            for (const int p : chosen)
                squares.append(labelSheet->labelSquare(p).translated(-corner));
        }
        constexpr int dpi = 1200;
        for (const QRectF& square : std::as_const(squares)) {
            const QRectF outer = calibration.map(square).translated(corner);
            const QRectF hole = calibration.map(DiscShape::roundLabel(117, 41).holeIn(square))
                                    .translated(corner);
            QPointF shown;
            const QImage image = paper::renderArea(pdf, 1, dpi, outer.adjusted(-2, -2, 2, 2),
                                                   f.env.path(u"area"_s), &shown);
            QVERIFY(!image.isNull());
            int clipFaults = -1;
            QString detail;
            const double worst =
                paper::ringDeviation(image, dpi, shown, outer, hole, &clipFaults, &detail);
            QVERIFY2(worst <= 0.05, qPrintable(QStringLiteral("%1 mm:%2").arg(worst).arg(detail)));
            QCOMPARE(clipFaults, 0);
        }
        // Printing on paper with no other label left: nothing outside the chosen labels.
        if (labelSheet && squares.size() < labelSheet->centres.size()) {
            const QList<int> chosen = *LabelSheet::parsePositions(positions, int(labelSheet->centres.size()));
            for (int p = 1; p <= labelSheet->centres.size(); ++p) {
                if (chosen.contains(p))
                    continue;
                QPointF shown;
                const QRectF free = labelSheet->labelSquare(p);
                const QImage image = paper::renderArea(pdf, 1, 100, free, f.env.path(u"free"_s), &shown);
                QVERIFY(!image.isNull());
                QCOMPARE(image.convertToFormat(QImage::Format_Grayscale8).pixelColor(image.width() / 3, image.height() / 2),
                         QColor(Qt::white));
            }
        }
    }

    // The Back's sheet carries fold marks 6.5 mm in from its edges, above and below the cut
    // frame, unless the user turns them off; the choice is kept for the next print.
    void foldMarksOnRealPaper()
    {
        if (!paper::havePoppler())
            QSKIP("poppler-utils (pdftoppm, pdfinfo) is not installed");
        CoverFixture f;
        const auto cover = coverWithPictures(f, u"B"_s, u"B"_s);
        const QMarginsF margins(12.5, 7.5, 11, 9);
        const QPointF corner = paper::printableCorner(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, margins, QPageLayout::Millimeter));
        constexpr int dpi = 1200;
        const auto marksAt = [&](const QString& pdf) {
            QList<double> found;
            for (const double y : {20 - 1.5, 138 + 1.5}) {
                for (const double x : {20 + 6.5, 170 - 6.5}) {
                    const QPointF expected = corner + QPointF(x, y);
                    QPointF shown;
                    const QImage image = paper::renderArea(
                        pdf, 1, dpi, QRectF(expected - QPointF(1, 1), QSizeF(2, 2)),
                        f.env.path(u"mark"_s), &shown);
                    const double px = (expected.x() - shown.x()) * dpi / 25.4;
                    const double at = paper::lineAt(image, true, px, image.height() / 2);
                    found.append(at < -999 ? at : (at - px) * 25.4 / dpi);
                }
            }
            return found;
        };
        const QString marked = f.env.path(u"marked.pdf"_s);
        f.ui.answerDialog(selectFaces(u"B"_s));
        f.ui.answerDialog(choosePdf(marked, QPageSize::A4, margins));
        cover->PrintCover();
        QVERIFY(f.ui.scriptDone());
        for (const double off : marksAt(marked))
            QVERIFY2(std::abs(off) <= 0.05, qPrintable(QString::number(off)));

        const QString plain = f.env.path(u"plain.pdf"_s);
        f.ui.answerDialog(selectSheet(u"B"_s, QString(), QString(), false));
        f.ui.answerDialog(choosePdf(plain, QPageSize::A4, margins));
        cover->PrintCover();
        for (const double off : marksAt(plain))
            QVERIFY(off < -999);
        frmPrint again(&cover->set());
        QVERIFY(!again.foldMarksField()->isChecked());
    }

    // A label sheet file that is not one is named before the selection shows, left out of
    // it, and the CD still prints on its own page.
    void malformedLabelSheetIsNamedAndLeftOut()
    {
        CoverFixture f;
        const QString labels = installLabelSheets(f.env.path(u"xdg/data"_s));
        QFile bad(QDir(labels).filePath(u"overlapping.ini"_s));
        QVERIFY(bad.open(QIODevice::WriteOnly));
        bad.write("[Label sheet]\nPaper=A4\nOuter=117\nHole=41\nLabel1=105,74.5\nLabel2=105,120\n");
        bad.close();
        const auto cover = coverWithPictures(f, u"C"_s, u"C"_s);
        cover->set().setDiscShape(DiscShape::roundLabel());
        Recording rec;
        rec.pictures[3] = cover->set().face(3).picture();
        int offered = -1;
        f.ui.answerMessage(MsgResult::Ok);
        f.ui.answerDialog([&offered](QDialog* dialog) {
            auto* selection = qobject_cast<frmPrint*>(dialog);
            offered = selection->labelSheetField()->count();
            selection->btnAccion(0)->click();
            return selection->result();
        });
        cover->PrintCover({}, [&] { return std::make_unique<RecordingTarget>(rec, f.ui); });
        QVERIFY(f.ui.scriptDone());
        QCOMPARE(offered, 1 + 3);
        QCOMPARE(f.ui.messages.size(), 1);
        QVERIFY(f.ui.messages[0].text.contains(u"overlapping.ini"_s));
        QCOMPARE(rec.ops.join(u'|'), u"landscape|mm|line 1192|ring 20,20 117x117 58,58 41x41|picture CD 20,20 117x117|unclip|circle 20,20 117x117|circle 58,58 41x41|page|job"_s);
    }
};

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
