#pragma once

#include "PageTarget.h"

#include <QPrinter>
#include <QSizeF>
#include <QString>

#include <memory>

// The sheets on a real printer (or Qt's PDF printer); a job the printer reports as failed
// counts as failed.
class PrinterTarget final : public PageTarget
{
public:
    explicit PrinterTarget(std::unique_ptr<QPrinter> printer); // owned
    explicit PrinterTarget(QPrinter& printer);                 // not owned (a preview's)

    QPrinter* printer() const { return m_printer; }

    // The name the printer's calibration is kept under: output to a PDF file is a printer
    // of its own, whichever printer the dialog showed when the file was chosen.
    static QString calibrationName(const QPrinter& printer);
    // The printable area of the printer's paper turned to landscape, in millimetres.
    static QSizeF landscapePrintableArea(const QPrinter& printer);

protected:
    bool deviceFailed() const override;

private:
    std::unique_ptr<QPrinter> m_owned;
    QPrinter* m_printer;
};
