#include "StringDump.h"

#include "LangLoader.h"
#include "ToolHost.h"

#include <QTextStream>

namespace langtool {
namespace {

// The language's number: a number as given, else the first name that matches.
int resolve(const QString& language, const QStringList& names)
{
    bool isNumber = false;
    const int number = language.toInt(&isNumber);
    if (isNumber)
        return number >= 1 && number <= names.size() ? number : 0;
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (names.at(i).compare(language, Qt::CaseInsensitive) == 0)
            return int(i) + 1;
    }
    return 0;
}

} // namespace

QString StringDump::escaped(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('\\'))
            result += QLatin1String("\\\\");
        else if (c == QLatin1Char('\r'))
            result += QLatin1String("\\r");
        else if (c == QLatin1Char('\n'))
            result += QLatin1String("\\n");
        else
            result += c;
    }
    return result;
}

int StringDump::run(const QString& path, const QString& language, QTextStream& out,
                    QTextStream& err)
{
    // A first, quiet load learns the languages' names; its faults are those of language 1,
    // which the real load below reports if it is the one asked for.
    ToolHost probeHost;
    const QStringList names = lang::LangLoader::load(path, 1, probeHost).names;
    if (!probeHost.choseLanguage() || names.isEmpty()) {
        for (const ToolHost::Fault& fault : probeHost.faults())
            err << fault.text << '\n';
        if (!probeHost.hadFatal())
            err << path << ": the database names no language\n";
        return 1;
    }

    const int number = resolve(language, names);
    if (number == 0) {
        err << path << ": there is no language " << language << "; the languages are";
        for (qsizetype i = 0; i < names.size(); ++i)
            err << ' ' << (i + 1) << ' ' << names.at(i) << (i + 1 < names.size() ? "," : "");
        err << '\n';
        return 2;
    }

    ToolHost host;
    host.onFault = [&](const ToolHost::Fault& fault) { err << fault.text << '\n'; };
    const lang::LangLoader::Result result = lang::LangLoader::load(path, number, host);
    if (host.hadFatal())
        return 1;
    // After a load error the texts are those the program would show had the user chosen
    // Ignore; the status still tells that the program would have stopped to ask.
    for (qsizetype slot = 0; slot < result.table.size(); ++slot) {
        const QString& text = result.table.at(slot);
        if (!text.isEmpty())
            out << slot << '\t' << escaped(text) << '\n';
    }
    return host.faults().isEmpty() ? 0 : 1;
}

} // namespace langtool
