#pragma once

#include "ForwardingTarget.h"

#include <QElapsedTimer>

#include <functional>

// Tells how far a job has come, once it has run longer than a second: quick jobs stay
// silent. Each sheet is announced as it starts ("[2/3] caption").
class ProgressTarget final : public ForwardingTarget
{
public:
    using Report = std::function<void(const QString& line)>;

    // `clock` runs since the job started; target is not owned.
    ProgressTarget(PrintTarget& target, int sheets, const QElapsedTimer& clock, Report report);

    // Says `line` when the job has run long enough for anyone to wonder.
    static void step(const QElapsedTimer& clock, const Report& report, const QString& line);
    static constexpr qint64 kQuietMs = 1000;

    bool printLine(const QString& text) override;
    bool endPage() override;

private:
    int m_sheets;
    int m_sheet = 0;
    bool m_onSheet = false;
    const QElapsedTimer& m_clock;
    Report m_report;
};
