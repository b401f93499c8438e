#include "CoverPrinting.h"

#include "AppInfo.h"
#include "CoverHost.h"
#include "ImageArea.h"
#include "LangRuntime.h"
#include "PrintLayout.h"
#include "PrinterTarget.h"
#include "Ui.h"
#include "clsCover.h"
#include "frmMenu.h"
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

// A face's picture is whatever its image area holds now, file or not; a window that is
// gone simply has no pictures.
std::array<platform::Picture, kFaceCount> facePictures(const clsCover& cover)
{
    std::array<platform::Picture, kFaceCount> pictures;
    frmMenu* window = cover.frmCover();
    for (const FaceInfo& face : kFaces) {
        if (ImageArea* area = window ? window->imageArea(face.index) : nullptr)
            pictures[face.index] = area->picture();
    }
    return pictures;
}

void printCover(clsCover& cover)
{
    QWidget* parent = cover.frmCover() ? cover.frmCover()->window() : nullptr;
    {
        const std::unique_ptr<frmPrint> selection = std::make_unique<frmPrint>(parent);
        cover.setFrmPrint(selection.get());
        if (platform::ui().execDialog(selection.get()) != QDialog::Accepted)
            return;
    }

    const std::shared_ptr<clsCover> active = coverHost() ? coverHost()->activeCover() : nullptr;
    if (!active)
        return;
    // The selection wrote its choice into the active set; this is the set that prints.
    std::array<bool, kFaceCount> chosen{};
    for (const FaceInfo& face : kFaces) {
        chosen[face.index] = active->printFace(face.index);
        cover.setPrintFace(face.index, chosen[face.index]);
    }

    const PrintLayout layout(chosen, facePictures(cover));
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

} // namespace

void installCoverPrinting()
{
    clsCover::setPrintHandler(&printCover);
}

void setPrintTargetFactoryForTests(PrintTargetFactory factory)
{
    g_factoryForTests = std::move(factory);
}
