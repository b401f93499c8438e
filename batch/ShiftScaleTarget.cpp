#include "ShiftScaleTarget.h"

ShiftScaleTarget::ShiftScaleTarget(PrintTarget& target, const QPointF& offset, const QPointF& scale)
    : m_target(target), m_offset(offset), m_scale(scale / 100.0)
{
}

QRectF ShiftScaleTarget::map(const QRectF& rect) const
{
    return QRectF(m_offset.x() + rect.x() * m_scale.x(), m_offset.y() + rect.y() * m_scale.y(),
                  rect.width() * m_scale.x(), rect.height() * m_scale.y());
}

bool ShiftScaleTarget::drawPicture(const platform::Picture& picture, const QRectF& rect)
{
    return m_target.drawPicture(picture, map(rect));
}

bool ShiftScaleTarget::drawFrame(const QRectF& rect)
{
    return m_target.drawFrame(map(rect));
}
