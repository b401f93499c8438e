#include "DatabaseCheck.h"

#include "DatabaseLayout.h"
#include "LangLoader.h"
#include "ToolHost.h"
#include "UsedStrings.h"

#include <QTextStream>

namespace langtool {
namespace {

// What the check finds: the program's own messages, word for word, on the error stream
// (they name the file themselves), and the check's further findings on out.
class Report
{
public:
    Report(const QString& path, QTextStream& out, QTextStream& err)
        : m_path(path), m_out(out), m_err(err)
    {
    }

    void fault(const QString& where, const QString& text)
    {
        m_out << m_path << ": " << where << text << '\n';
        ++m_count;
    }
    void loadFaults(const QString& where, const QList<ToolHost::Fault>& faults)
    {
        for (const ToolHost::Fault& fault : faults) {
            m_err << where << fault.text << '\n';
            ++m_count;
        }
    }
    int count() const { return m_count; }

private:
    const QString& m_path;
    QTextStream& m_out;
    QTextStream& m_err;
    int m_count = 0;
};

void checkStart(const QByteArray& bytes, const QString& name, int number,
                const lang::LangLoader::Result& result, const QString& where, Report& report)
{
    if (result.startPositionHit)
        return;
    const qint64 given = result.starts.value(number - 1);
    const qint64 actual = DatabaseLayout::sectionStart(bytes, name);
    const QString key = QStringLiteral("Language%1Start is %2").arg(number).arg(given);
    if (actual == 0) {
        // A load that stopped early never looked; its own fault says why.
        if (result.completed)
            report.fault(where, key + QStringLiteral(", but there is no section [%1]").arg(name));
        return;
    }
    if (result.completed || actual != given)
        report.fault(where,
                     key + QStringLiteral(", the section [%1] starts at %2").arg(name).arg(actual));
}

void checkStrings(const lang::LangLoader::Result& result, const QString& where, Report& report)
{
    for (const int number : kUsedStrings) {
        if (number >= result.table.size() || !result.filled.at(number))
            report.fault(where, QStringLiteral("string %1 is missing").arg(number));
        else if (result.table.at(number).isEmpty())
            report.fault(where, QStringLiteral("string %1 is empty").arg(number));
    }
}

} // namespace

int DatabaseCheck::run(const QString& path, QTextStream& out, QTextStream& err)
{
    Report report(path, out, err);

    // The first language's load also shows whether the header lets any load get going.
    ToolHost firstHost;
    const lang::LangLoader::Result first = lang::LangLoader::load(path, 1, firstHost);
    if (!firstHost.choseLanguage() || first.names.isEmpty()) {
        report.loadFaults(QString(), firstHost.faults());
        if (first.names.isEmpty() && !firstHost.hadFatal())
            report.fault(QString(), QStringLiteral("the database names no language"));
        return 1;
    }

    QByteArray bytes;
    QString readError;
    if (!DatabaseLayout::read(path, &bytes, &readError)) {
        out << readError << '\n';
        return 1;
    }

    const QStringList names = first.names;
    for (int number = 1; number <= names.size(); ++number) {
        const QString& name = names.at(number - 1);
        const QString where = QStringLiteral("language %1 (%2): ").arg(number).arg(name);
        ToolHost host;
        const lang::LangLoader::Result result =
            number == 1 ? first : lang::LangLoader::load(path, number, host);
        const QList<ToolHost::Fault>& faults = number == 1 ? firstHost.faults() : host.faults();
        report.loadFaults(where, faults);
        checkStart(bytes, name, number, result, where, report);
        if (result.completed)
            checkStrings(result, where, report);
    }

    if (report.count() > 0)
        return 1;
    out << path << ": " << names.size() << " languages, " << int(kUsedStrings.size())
        << " strings each, no faults\n";
    return 0;
}

} // namespace langtool
