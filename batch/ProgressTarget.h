#pragma once

#include "PrintTarget.h"

#include <QElapsedTimer>

#include <functional>

// Tells how far a job has come, once it has run longer than a second: quick jobs stay
// silent. Each sheet is announced as it starts ("[2/3] caption").
class ProgressTarget final : public PrintTarget
{
public:
    using Report = std::function<void(const QString& line)>;

    // `clock` runs since the job started; target is not owned.
    ProgressTarget(PrintTarget& target, int sheets, const QElapsedTimer& clock, Report report);

    // Says `line` when the job has run long enough for anyone to wonder.
    static void step(const QElapsedTimer& clock, const Report& report, const QString& line);
    static constexpr qint64 kQuietMs = 1000;

    bool setLandscape() override { return m_target.setLandscape(); }
    bool setMillimetres() override { return m_target.setMillimetres(); }
    bool printLine(const QString& text) override;
    bool drawPicture(const platform::Picture& picture, const QRectF& rect) override
    {
        return m_target.drawPicture(picture, rect);
    }
    bool drawFrame(const QRectF& rect) override { return m_target.drawFrame(rect); }
    bool endPage() override;
    bool endJob() override { return m_target.endJob(); }

private:
    PrintTarget& m_target;
    int m_sheets;
    int m_sheet = 0;
    bool m_onSheet = false;
    const QElapsedTimer& m_clock;
    Report m_report;
};
