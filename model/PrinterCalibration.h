#pragma once

#include <QPointF>
#include <QRectF>
#include <QString>

#include <optional>

// How one printer's paper comes out shifted and stretched, as the correction that puts a
// sheet back where it belongs: x' = offset.x + x * scale.x / 100, y likewise (millimetres
// from the printable area's corner, per cent). Each printer keeps its own in the settings
// store, under its name.
struct PrinterCalibration
{
    static constexpr double kMaxOffset = 10; // millimetres either way
    static constexpr double kMinScale = 95;  // per cent
    static constexpr double kMaxScale = 105;

    // Output to a PDF file is a printer of its own. The system's printer names hold no
    // blanks, so this one can never be a real printer's.
    static QString pdfPrinterName() { return QStringLiteral("PDF file"); }

    QPointF offset{0, 0};
    QPointF scale{100, 100};

    bool isValid() const;
    QPointF map(const QPointF& millimetres) const;
    QRectF map(const QRectF& millimetres) const;

    // The values stored for `printer`; uncalibrated when there are none, or when what is
    // stored is not a usable calibration (a hand-edited file).
    static PrinterCalibration load(const QString& printer);
    void save(const QString& printer) const;

    // A typed offset or scale: a number in range with at most one decimal, written with a
    // point or a comma. Nothing for anything else.
    static std::optional<double> parseOffset(const QString& text);
    static std::optional<double> parseScale(const QString& text);
    // One decimal, as the user types it back.
    static QString toText(double value);
};
