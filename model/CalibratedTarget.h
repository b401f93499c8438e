#pragma once

#include "ForwardingTarget.h"
#include "PrinterCalibration.h"

#include <QPointF>

// Moves and stretches every sheet on its way to a printer whose paper comes out shifted or
// slightly scaled: each rectangle (x, y, w, h) in millimetres becomes
// (offset.x + x * scale.x / 100, offset.y + y * scale.y / 100, w * scale.x / 100, ...).
// The caption keeps its place: it is printed at the print position, not in a rectangle.
class CalibratedTarget final : public ForwardingTarget
{
public:
    // offset in millimetres, scale in per cent; target is not owned.
    CalibratedTarget(PrintTarget& target, const QPointF& offset, const QPointF& scale);
    CalibratedTarget(PrintTarget& target, const PrinterCalibration& calibration);

    QRectF map(const QRectF& rect) const;

    bool drawPicture(const platform::Picture& picture, const QRectF& rect) override;
    bool drawText(const TextBlock& block, const QSizeF& faceMm, const QRectF& rect) override;
    bool drawFrame(const QRectF& rect) override;
    bool drawCircle(const QRectF& rect) override;
    bool drawLine(const QPointF& from, const QPointF& to) override;
    bool clipToRing(const QRectF& outer, const QRectF& hole) override;

private:
    PrinterCalibration m_calibration;
};
