#pragma once

#include "PrinterCalibration.h"

#include <QList>
#include <QSizeF>
#include <QString>

class PrintLayout;

// Whether each sheet a layout prints fits a printer's printable area once the printer's
// calibration has moved and stretched it, and by how many millimetres it falls short.
// Whatever lies beyond the printable area is lost on paper, so the user is asked first.
class PrintableAreaCheck
{
public:
    struct Shortfall
    {
        int sheet;     // 1 to 3
        double width;  // millimetres missing across; 0 when the sheet fits that way
        double height; // and down
    };

    // `printableArea`: the size of the printable area of a landscape page, in millimetres.
    PrintableAreaCheck(const PrintLayout& layout, const QSizeF& printableArea,
                       const PrinterCalibration& calibration);

    bool fits() const { return m_shortfalls.isEmpty(); }
    const QList<Shortfall>& shortfalls() const { return m_shortfalls; }

    // What a sheet needs, from the printable area's corner to its frames' far corner.
    static QSizeF needed(int sheet, const PrinterCalibration& calibration);

    // The question for the user: each sheet and what it misses, then whether to print anyway.
    struct Wording
    {
        QString intro;
        QString missingWidth;  // %1 the sheet's number, %2 its caption, %3 the millimetres
        QString missingHeight; // the same, down
        QString ending;
    };
    QString question(const Wording& wording) const;

private:
    const PrintLayout& m_layout;
    QList<Shortfall> m_shortfalls;
};
