#include "CoverPrinting.h"

#include "AppInfo.h"
#include "CalibratedTarget.h"
#include "CoverSet.h"
#include "LangRuntime.h"
#include "PrintLayout.h"
#include "PrintableAreaCheck.h"
#include "PrinterCalibration.h"
#include "PrinterTarget.h"
#include "Ui.h"
#include "frmPreview.h"
#include "frmPrint.h"

#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>

#include <optional>

namespace {

// The selection dialog, whose choice the printed set takes over: the sheets to print, or
// nothing when the user cancelled, the active set went away or no sheet would come out.
std::optional<PrintLayout> chooseSheets(CoverSet& printed,
                                        const std::function<CoverSet*()>& activeSet,
                                        QWidget* parent, QPointer<QDialog>& selection)
{
    PrintOptions options;
    {
        const std::unique_ptr<frmPrint> dialog = std::make_unique<frmPrint>(activeSet(), parent);
        selection = dialog.get();
        // A label sheet file that cannot be read is named, and printing goes on without it.
        if (!dialog->malformedSheets().isEmpty()) {
            platform::ui().messageBox(LangString(1572) + QStringLiteral("\r\n") +
                                          dialog->malformedSheets().join(QStringLiteral("\r\n")),
                                      platform::applicationTitle(), platform::MsgButtons::Ok,
                                      platform::MsgIcon::Exclamation);
        }
        if (platform::ui().execDialog(dialog.get()) != QDialog::Accepted)
            return std::nullopt;
        options = dialog->options();
    }
    // The set that was active may have gone while the dialog was open: nothing prints then.
    CoverSet* active = activeSet();
    if (!active)
        return std::nullopt;

    std::array<bool, kFaceCount> chosen{};
    std::array<platform::Picture, kFaceCount> pictures;
    std::array<TextBlocks, kFaceCount> texts;
    for (const FaceInfo& face : kFaces) {
        chosen[face.index] = active->printFace(face.index);
        printed.setPrintFace(face.index, chosen[face.index]);
        // Whatever the face shows now prints, file or not.
        pictures[face.index] = printed.face(face.index).picture();
        texts[face.index] = printed.face(face.index).texts();
    }
    // The shape the printed set has now, as its pictures and text.
    options.cdShape = printed.face(kCdFace).shape();
    if (!options.cdShape.round)
        options.labelSheet.reset();
    PrintLayout layout(chosen, pictures, PrintLayout::captionsFrom(LangString), texts, options);
    if (!layout.printsAnything())
        return std::nullopt;
    return layout;
}

// The standard print dialog on the system's default printer, preset to the orientation the
// sheets need. nullptr when the user cancels it.
std::unique_ptr<QPrinter> askPrinter(QWidget* parent)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPageOrientation(QPageLayout::Landscape);
    printer->setDocName(platform::productName());
    QPrintDialog dialog(printer.get(), parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (platform::ui().execDialog(&dialog) != QDialog::Accepted)
        return nullptr;
    // The dialog may have turned the paper; the sheets are landscape, and so is a preview.
    printer->setPageOrientation(QPageLayout::Landscape);
    return printer;
}

// What reaches beyond the printer's printable area is lost on paper: the user decides
// whether to print anyway. True to go on.
bool fitsOrPrintAnyway(const PrintLayout& layout, const QPrinter& printer)
{
    const PrintableAreaCheck check(
        layout, PrinterTarget::landscapePrintableArea(printer),
        PrinterCalibration::load(PrinterTarget::calibrationName(printer)));
    if (check.fits())
        return true;
    const QString question =
        check.question({LangString(1442), LangString(1444), LangString(1446), LangString(1448)});
    return platform::ui().messageBox(question, platform::applicationTitle(),
                                     platform::MsgButtons::YesNo,
                                     platform::MsgIcon::Exclamation) == platform::MsgResult::Yes;
}

// The sheets on `target`, moved and stretched by the calibration of the printer it prints
// on; a target that is no printer takes them as they are.
bool printSheets(const PrintLayout& layout, PrintTarget& target, const QPrinter* printer)
{
    const PrinterCalibration calibration =
        printer ? PrinterCalibration::load(PrinterTarget::calibrationName(*printer))
                : PrinterCalibration();
    CalibratedTarget calibrated(target, calibration);
    const platform::BusyCursor busy;
    return layout.print(calibrated);
}

void reportFailure()
{
    platform::ui().messageBox(LangString(1362), platform::applicationTitle(),
                              platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
}

} // namespace

void printCoverSet(CoverSet& printed, const std::function<CoverSet*()>& activeSet, QWidget* parent,
                   QPointer<QDialog>& selection, const PrintTargetFactory& printTo)
{
    const std::optional<PrintLayout> layout = chooseSheets(printed, activeSet, parent, selection);
    if (!layout)
        return;
    std::unique_ptr<PrintTarget> target;
    if (printTo)
        target = printTo();
    else if (std::unique_ptr<QPrinter> printer = askPrinter(parent))
        target = std::make_unique<PrinterTarget>(std::move(printer));
    if (!target)
        return;
    const auto* onPrinter = dynamic_cast<const PrinterTarget*>(target.get());
    const QPrinter* printer = onPrinter ? onPrinter->printer() : nullptr;
    if (printer && !fitsOrPrintAnyway(*layout, *printer))
        return;
    if (!printSheets(*layout, *target, printer))
        reportFailure();
}

void previewCoverSet(CoverSet& printed, const std::function<CoverSet*()>& activeSet,
                     QWidget* parent, QPointer<QDialog>& selection)
{
    const std::optional<PrintLayout> layout = chooseSheets(printed, activeSet, parent, selection);
    if (!layout)
        return;
    const std::unique_ptr<QPrinter> printer = askPrinter(parent);
    if (!printer || !fitsOrPrintAnyway(*layout, *printer))
        return;
    // The preview and the print from it draw the same way, each on the printer it is given.
    const auto paint = [&layout](QPrinter& on) {
        PrinterTarget target(on);
        return printSheets(*layout, target, &on);
    };
    frmPreview preview(*printer, paint, parent);
    if (platform::ui().execDialog(&preview) == QDialog::Accepted && !preview.printed())
        reportFailure();
}
