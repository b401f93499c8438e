#include "Diagnostics.h"

#include "LangRuntime.h"

#include <QRegularExpression>

QString Diagnostics::text(int number)
{
    QString t = LangString(number);
    t.replace(QLatin1String("\r\n"), QLatin1String(" "));
    static const QRegularExpression announcing(QStringLiteral("[\\s\\x{00a0}]*:\\s*$"));
    t.remove(announcing);
    return t.trimmed();
}

QString Diagnostics::line(const QString& subject, const QString& text, const QString& detail)
{
    QString out = programName() + QLatin1String(": ");
    if (!subject.isEmpty())
        out += subject + QLatin1String(": ");
    out += text;
    if (!detail.isEmpty())
        out += QLatin1String(": ") + detail;
    return out;
}

QString Diagnostics::block(int number)
{
    QString t = LangString(number);
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (!t.endsWith(QLatin1Char('\n')))
        t += QLatin1Char('\n');
    return t;
}
