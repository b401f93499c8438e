#include "PrinterTarget.h"

PrinterTarget::PrinterTarget(std::unique_ptr<QPrinter> printer)
    : PageTarget(static_cast<QPagedPaintDevice*>(printer.get())), m_printer(std::move(printer))
{
}

bool PrinterTarget::deviceFailed() const
{
    return m_printer && m_printer->printerState() == QPrinter::Error;
}
