#include "CalibratedTarget.h"

CalibratedTarget::CalibratedTarget(PrintTarget& target, const QPointF& offset, const QPointF& scale)
    : ForwardingTarget(target), m_calibration{offset, scale}
{
}

CalibratedTarget::CalibratedTarget(PrintTarget& target, const PrinterCalibration& calibration)
    : ForwardingTarget(target), m_calibration(calibration)
{
}

QRectF CalibratedTarget::map(const QRectF& rect) const
{
    return m_calibration.map(rect);
}

bool CalibratedTarget::drawPicture(const platform::Picture& picture, const QRectF& rect)
{
    return m_target.drawPicture(picture, map(rect));
}

bool CalibratedTarget::drawText(const TextBlock& block, const QSizeF& faceMm, const QRectF& rect)
{
    return m_target.drawText(block, faceMm, map(rect));
}

bool CalibratedTarget::drawFrame(const QRectF& rect)
{
    return m_target.drawFrame(map(rect));
}

bool CalibratedTarget::drawCircle(const QRectF& rect)
{
    return m_target.drawCircle(map(rect));
}

bool CalibratedTarget::drawLine(const QPointF& from, const QPointF& to)
{
    return m_target.drawLine(m_calibration.map(from), m_calibration.map(to));
}

bool CalibratedTarget::clipToRing(const QRectF& outer, const QRectF& hole)
{
    return m_target.clipToRing(map(outer), hole.isEmpty() ? hole : map(hole));
}
