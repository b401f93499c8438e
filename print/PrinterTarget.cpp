#include "PrinterTarget.h"

#include "PrinterCalibration.h"

#include <QPageLayout>

PrinterTarget::PrinterTarget(std::unique_ptr<QPrinter> printer)
    : PageTarget(static_cast<QPagedPaintDevice*>(printer.get())), m_owned(std::move(printer)),
      m_printer(m_owned.get())
{
}

PrinterTarget::PrinterTarget(QPrinter& printer)
    : PageTarget(static_cast<QPagedPaintDevice*>(&printer)), m_printer(&printer)
{
}

bool PrinterTarget::deviceFailed() const
{
    return m_printer && m_printer->printerState() == QPrinter::Error;
}

QString PrinterTarget::calibrationName(const QPrinter& printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat || printer.printerName().isEmpty())
        return PrinterCalibration::pdfPrinterName();
    return printer.printerName();
}

QSizeF PrinterTarget::landscapePrintableArea(const QPrinter& printer)
{
    // The sheets turn the paper before they print, whatever the dialog left it at.
    QPageLayout layout = printer.pageLayout();
    layout.setOrientation(QPageLayout::Landscape);
    return layout.paintRect(QPageLayout::Millimeter).size();
}
