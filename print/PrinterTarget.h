#pragma once

#include "PageTarget.h"

#include <QPrinter>

#include <memory>

// The sheets on a real printer (or Qt's PDF printer), which it owns; a job the printer
// reports as failed counts as failed.
class PrinterTarget final : public PageTarget
{
public:
    explicit PrinterTarget(std::unique_ptr<QPrinter> printer);

    QPrinter* printer() const { return m_printer.get(); }

protected:
    bool deviceFailed() const override;

private:
    std::unique_ptr<QPrinter> m_printer;
};
