#include "ProgressTarget.h"

#include <QString>

ProgressTarget::ProgressTarget(PrintTarget& target, int sheets, const QElapsedTimer& clock,
                               Report report)
    : ForwardingTarget(target), m_sheets(sheets), m_clock(clock), m_report(std::move(report))
{
}

void ProgressTarget::step(const QElapsedTimer& clock, const Report& report, const QString& line)
{
    if (report && clock.isValid() && clock.elapsed() > kQuietMs)
        report(line);
}

bool ProgressTarget::printLine(const QString& text)
{
    // Every sheet starts with its caption.
    if (!m_onSheet) {
        m_onSheet = true;
        ++m_sheet;
        step(m_clock, m_report, QStringLiteral("[%1/%2] %3").arg(m_sheet).arg(m_sheets).arg(text));
    }
    return m_target.printLine(text);
}

bool ProgressTarget::endPage()
{
    m_onSheet = false;
    return m_target.endPage();
}
