#pragma once

#include <QString>

class QTextStream;

namespace langtool {

// Lists the texts of one language as the program loads them: "number<TAB>text" for every
// slot with a text, in number order, line breaks and backslashes escaped.
class StringDump
{
public:
    // language: a number 1 ... N, or a name as the database spells it (any letter case).
    // Returns 0, 1 after a fatal fault, 2 when the database has no such language.
    static int run(const QString& path, const QString& language, QTextStream& out,
                   QTextStream& err);

    // "\" -> "\\", CR -> "\r", LF -> "\n".
    static QString escaped(const QString& text);
};

} // namespace langtool
