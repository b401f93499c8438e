#pragma once

#include "SheetSettings.h"

class PrintLayout;

// The sheets as one PDF file, a page per sheet, written whole or not at all.
class PdfSheets
{
public:
    static SheetOutput write(const PrintLayout& layout, const SheetSettings& settings,
                             const QString& path);
};
