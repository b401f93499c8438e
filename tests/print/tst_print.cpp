// Printing a cover set: the sheets' layout as a sequence of printer operations, the
// printer target's millimetres, the print selection dialog, the Print command, and real
// PDF output measured on paper.
#include "PageTarget.h"
#include "PaperMeasure.h"
#include "PrintLayout.h"
#include "PrintTarget.h"
#include "PrintTestSupport.h"
#include "PrinterTarget.h"
#include "RecordingTarget.h"
#include "TextOnPaper.h"
#include "Twips.h"

#include <QTest>

#include <cmath>

using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;
using platform::Picture;
using namespace Qt::StringLiterals;
using namespace recording;

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
};

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
