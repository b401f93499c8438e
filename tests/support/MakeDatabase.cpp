#include "MakeDatabase.h"

namespace {

QByteArray build(const QList<TestLanguage>& languages, const QList<qint64>& starts, int base,
                 int step, int numStrings)
{
    QByteArray out = "[SPOKEN]\r\nNumLanguages=" + QByteArray::number(languages.size()) + "\r\n";
    for (int i = 0; i < languages.size(); ++i) {
        const QByteArray n = QByteArray::number(i + 1);
        out += "Language" + n + "=" + languages[i].name.toUtf8() + "\r\n";
        out += "Language" + n + "Start=" + QByteArray::number(starts.value(i)) + "\r\n";
    }
    out += "NumStrings=" + QByteArray::number(numStrings) + "\r\nStringIndexBase=" +
           QByteArray::number(base) + "\r\nStringIndexStep=" + QByteArray::number(step) + "\r\n";
    for (const TestLanguage& language : languages) {
        out += "[" + language.name.toUtf8() + "]\r\n";
        for (int k = 0; k < numStrings; ++k) {
            const int number = base + k * step;
            out += "S" + QByteArray::number(number) + "=" +
                   language.strings.value(number, QStringLiteral("\"\"")).toUtf8() + "\r\n";
        }
    }
    return out;
}

} // namespace

QByteArray makeDatabase(const QList<TestLanguage>& languages, int base, int step, int numStrings)
{
    QList<qint64> starts(languages.size(), 0);
    QByteArray bytes;
    // The start numbers' own length moves the sections: settle them by repeating.
    for (int round = 0; round < 5; ++round) {
        bytes = build(languages, starts, base, step, numStrings);
        QList<qint64> found;
        for (const TestLanguage& language : languages)
            found.append(bytes.indexOf("\r\n[" + language.name.toUtf8() + "]\r\n") + 3);
        if (found == starts)
            break;
        starts = found;
    }
    return bytes;
}
