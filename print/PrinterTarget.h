#pragma once

#include "PrintTarget.h"

#include <QPainter>
#include <QPointF>

#include <memory>

class QPaintDevice;
class QPrinter;

// Prints on a QPrinter (or draws on any other paint device as a single sheet).
//
// Millimetres are turned into device pixels with the device's own resolution, on each axis
// separately, so that 120 mm on paper are 120 mm whatever the printer's resolution is, and
// a printer whose horizontal and vertical resolutions differ is exact on both axes. Drawing
// happens in device pixels; the painter carries no scale, so fonts keep their point size.
//
// The painter is begun at the first thing drawn, not before: orientation must be settled
// before the first page, and a job with nothing on it must leave no empty page behind. A
// new page is started only when something is drawn after a page end.
class PrinterTarget final : public PrintTarget
{
public:
    explicit PrinterTarget(std::unique_ptr<QPrinter> printer);
    explicit PrinterTarget(QPaintDevice* device); // not owned
    ~PrinterTarget() override;

    PrinterTarget(const PrinterTarget&) = delete;
    PrinterTarget& operator=(const PrinterTarget&) = delete;

    QPrinter* printer() const { return m_printer.get(); }
    // Device pixels per unit along x and y (1 until the unit is millimetres).
    double unitX() const { return m_unitX; }
    double unitY() const { return m_unitY; }
    // Pages begun so far.
    int pageCount() const { return m_pages; }

    bool setLandscape() override;
    bool setMillimetres() override;
    bool printLine(const QString& text) override;
    bool drawPicture(const platform::Picture& picture, const QRectF& rect) override;
    bool drawFrame(const QRectF& rect) override;
    bool endPage() override;
    bool endJob() override;

private:
    enum class State
    {
        NotBegun,
        Drawing,
        Failed,
        Ended
    };

    // Begins the painter or the next page, as needed, before anything is drawn.
    bool readyToDraw();
    QRectF toDevice(const QRectF& rect) const;

    std::unique_ptr<QPrinter> m_printer;
    QPaintDevice* m_device = nullptr;
    QPainter m_painter;
    State m_state = State::NotBegun;
    bool m_pageEnded = false;
    int m_pages = 0;
    double m_unitX = 1.0;
    double m_unitY = 1.0;
    double m_lineY = 0.0; // the print position's top, in device pixels
};
