#pragma once

#include "PrintTarget.h"

#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QTransform>

#include <optional>

class QPaintDevice;
class QPagedPaintDevice;

// Prints on a paged device (a printer, a PDF writer) or draws on any other paint device as
// a single sheet.
//
// Millimetres are turned into device pixels with the device's own resolution, on each axis
// separately, so that 120 mm on paper are 120 mm whatever the printer's resolution is, and
// a printer whose horizontal and vertical resolutions differ is exact on both axes. Drawing
// happens in device pixels; the painter carries no scale, so fonts keep their point size.
//
// The painter is begun at the first thing drawn, not before: orientation must be settled
// before the first page, and a job with nothing on it must leave no empty page behind. A
// new page is started only when something is drawn after a page end.
class PageTarget : public PrintTarget
{
public:
    explicit PageTarget(QPagedPaintDevice* device); // not owned
    explicit PageTarget(QPaintDevice* device);      // not owned; a single sheet
    ~PageTarget() override;

    PageTarget(const PageTarget&) = delete;
    PageTarget& operator=(const PageTarget&) = delete;

    // Device pixels per unit along x and y (1 until the unit is millimetres).
    double unitX() const { return m_unitX; }
    double unitY() const { return m_unitY; }
    // Pages begun so far.
    int pageCount() const { return m_pages; }

    bool setLandscape() override;
    bool setMillimetres() override;
    bool printLine(const QString& text) override;
    bool drawPicture(const platform::Picture& picture, const QRectF& rect) override;
    bool drawText(const TextBlock& block, const QSizeF& faceMm, const QRectF& rect) override;
    bool drawFrame(const QRectF& rect) override;
    bool drawCircle(const QRectF& rect) override;
    bool drawLine(const QPointF& from, const QPointF& to) override;
    bool clipToRing(const QRectF& outer, const QRectF& hole) override;
    bool endClip() override;
    bool setLabelPaper(const QSizeF& paperMm) override;
    QPointF printableOrigin() const override;
    bool endPage() override;
    bool endJob() override;

protected:
    // Whether the device reports the job as failed (a printer's error state).
    virtual bool deviceFailed() const { return false; }

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
    // Draws with the frame's pen, within the ring when one is set.
    template <typename Draw> bool drawOutline(Draw draw);

    QPagedPaintDevice* m_paged = nullptr;
    QPaintDevice* m_device = nullptr;
    QPainter m_painter;
    State m_state = State::NotBegun;
    bool m_pageEnded = false;
    int m_pages = 0;
    double m_unitX = 1.0;
    double m_unitY = 1.0;
    double m_lineY = 0.0; // the print position's top, in device pixels
    QPainterPath m_ring;  // in device pixels; empty: nothing is clipped
    std::optional<QTransform> m_turn; // a portrait page drawn on a landscape one
};
