#pragma once

#include "SheetSettings.h"

#include <QByteArray>
#include <QList>

class PrintLayout;

// The sheets as PNG pictures, one file per sheet (sheet-1.png, sheet-2.png ...), each the
// whole landscape page on white. All sheets are made and written aside before the first
// takes its name: a failure leaves the folder as it was, older sheets and all.
class PngSheets
{
public:
    static QString fileName(int sheet); // 1-based
    static QStringList paths(const QString& folder, int sheets);

    static SheetOutput write(const PrintLayout& layout, const SheetSettings& settings,
                             const QString& folder);

    // Every sheet of the job, rendered and encoded; an empty one could not be made. Stops at
    // a face whose picture file can no longer be read, and says which.
    static QList<QByteArray> render(const PrintLayout& layout, const SheetSettings& settings,
                                    int* failedFace);

private:
    static bool replaceTogether(const QStringList& targets, const QList<QByteArray>& contents,
                                SheetOutput* out);
};
