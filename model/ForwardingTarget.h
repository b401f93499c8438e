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
    bool endPage() override { return m_target.endPage(); }
    bool endJob() override { return m_target.endJob(); }

protected:
    PrintTarget& m_target;
};
