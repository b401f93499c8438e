#pragma once

#include "PrinterCalibration.h"

#include <QString>

class QPainter;
class QPrinter;

// The page a user measures a printer by: millimetre rulers along both edges of the printable
// area from its corner (a tick every millimetre, longer ones every 5 and 10, numbers every
// 10), the marks the sheets' frames end at (20, 140 and 260 mm) labelled, and a line naming
// the printer, where its printable area starts on the paper and the values the page was
// printed with. Those values move and stretch the rulers exactly as they move the sheets, so
// a page printed after calibrating shows whether the paper now agrees.
class CalibrationPage
{
public:
    // `printerTitle` is the printer as the user knows it. False when the printer could not
    // be opened or reported the job as failed.
    static bool print(QPrinter& printer, const QString& printerTitle,
                      const PrinterCalibration& calibration);

    // The marks the sheets' frames start and end at, along x; y has all but the last.
    static const QList<int>& labelledMarks();

private:
    CalibrationPage(QPainter& painter, const QPrinter& printer,
                    const PrinterCalibration& calibration);

    void drawRulers() const;
    void drawInformation(const QString& text) const;
    // Millimetres from the printable area's corner to device pixels, through the calibration.
    QPointF toDevice(double x, double y) const;
    void line(double x1, double y1, double x2, double y2) const;
    void label(const QString& text, double x, double y, Qt::Alignment alignment, bool bold) const;

    QPainter& m_painter;
    const PrinterCalibration& m_calibration;
    QSizeF m_area;  // the printable area, millimetres
    double m_unitX; // device pixels a millimetre
    double m_unitY;
};
