#include "CoverPrinting.h"

#include "AppInfo.h"
#include "CoverSet.h"
#include "LangRuntime.h"
#include "PrintLayout.h"
#include "PrinterTarget.h"
#include "Ui.h"
#include "frmPrint.h"

#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>

namespace {

PrintTargetFactory g_factoryForTests;

// The standard print dialog on the system's default printer, preset to the orientation the
// sheets need. nullptr when the user cancels it.
std::unique_ptr<PrintTarget> askPrinter(QWidget* parent)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPageOrientation(QPageLayout::Landscape);
    printer->setDocName(platform::productName());
    QPrintDialog dialog(printer.get(), parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (platform::ui().execDialog(&dialog) != QDialog::Accepted)
        return nullptr;
    return std::make_unique<PrinterTarget>(std::move(printer));
}

} // namespace

void printCoverSet(CoverSet& printed, const std::function<CoverSet*()>& activeSet,
                   QWidget* parent, QPointer<QDialog>& selection)
{
    {
        const std::unique_ptr<frmPrint> dialog = std::make_unique<frmPrint>(activeSet(), parent);
        selection = dialog.get();
        if (platform::ui().execDialog(dialog.get()) != QDialog::Accepted)
            return;
    }
    // The set that was active may have gone while the dialog was open: nothing prints then.
    CoverSet* active = activeSet();
    if (!active)
        return;

    std::array<bool, kFaceCount> chosen{};
    std::array<platform::Picture, kFaceCount> pictures;
    for (const FaceInfo& face : kFaces) {
        chosen[face.index] = active->printFace(face.index);
        printed.setPrintFace(face.index, chosen[face.index]);
        // Whatever the face shows now prints, file or not.
        pictures[face.index] = printed.face(face.index).picture();
    }

    const PrintLayout layout(chosen, pictures);
    if (!layout.printsAnything())
        return;
    const std::unique_ptr<PrintTarget> target =
        g_factoryForTests ? g_factoryForTests() : askPrinter(parent);
    if (!target)
        return;
    if (!layout.print(*target)) {
        platform::ui().messageBox(LangString(1362), platform::applicationTitle(),
                                  platform::MsgButtons::Ok, platform::MsgIcon::Exclamation);
    }
}

void setPrintTargetFactoryForTests(PrintTargetFactory factory)
{
    g_factoryForTests = std::move(factory);
}
