#pragma once

#include "PrintTarget.h"

// A print target that passes every operation on to another (not owned). A target that
// changes some of them on their way derives from it and overrides just those.
class ForwardingTarget : public PrintTarget
{
public:
    explicit ForwardingTarget(PrintTarget& target) : m_target(target) {}

    bool setLandscape() override { return m_target.setLandscape(); }
    bool setMillimetres() override { return m_target.setMillimetres(); }
    bool printLine(const QString& text) override { return m_target.printLine(text); }
    bool drawPicture(const platform::Picture& picture, const QRectF& rect) override
    {
        return m_target.drawPicture(picture, rect);
    }
    bool drawText(const TextBlock& block, const QSizeF& faceMm, const QRectF& rect) override
    {
        return m_target.drawText(block, faceMm, rect);
    }
    bool drawFrame(const QRectF& rect) override { return m_target.drawFrame(rect); }
    bool drawCircle(const QRectF& rect) override { return m_target.drawCircle(rect); }
    bool drawLine(const QPointF& from, const QPointF& to) override
    {
        return m_target.drawLine(from, to);
    }
    bool clipToRing(const QRectF& outer, const QRectF& hole) override
    {
        return m_target.clipToRing(outer, hole);
    }
    bool endClip() override { return m_target.endClip(); }
    bool setLabelPaper(const QSizeF& paperMm) override { return m_target.setLabelPaper(paperMm); }
    QPointF printableOrigin() const override { return m_target.printableOrigin(); }
    bool endPage() override { return m_target.endPage(); }
    bool endJob() override { return m_target.endJob(); }

protected:
    PrintTarget& m_target;
};
