#pragma once

#include <QByteArray>
#include <QList>

// A language database written by a test, line by line. In a header line, "@Name@" stands for
// the exact start position of the section [Name]: 1 + the byte offset of its header line.
class TestDatabase
{
public:
    // Header lines after "[SPOKEN]", in order.
    TestDatabase& header(const QByteArray& line);
    // A section: the line "[name]" followed by lines as given.
    TestDatabase& section(const QByteArray& name, const QList<QByteArray>& lines);
    // A line written as it stands after everything added so far.
    TestDatabase& raw(const QByteArray& line);
    TestDatabase& lineEnd(const QByteArray& end);

    QByteArray bytes() const;

    // The usual layout: NumLanguages, the names with exact starts, NumStrings, base and step,
    // and per language numStrings lines "S<number>=<name> <number>" for the numbers
    // base, base + step, ...
    static TestDatabase standard(const QList<QByteArray>& names, int numStrings, int base = 1000,
                                 int step = 2);
    // The text standard() gives string number in language name.
    static QString standardText(const QByteArray& name, int number);

    // 1 + the byte offset of the first line that is exactly "[name]", 0 when there is none.
    static qint64 startOf(const QByteArray& bytes, const QByteArray& name);

private:
    struct Block
    {
        bool isHeader = false;
        QByteArray line;
    };
    QList<Block> m_blocks;
    QByteArray m_lineEnd = QByteArrayLiteral("\r\n");

    QByteArray render(const QList<QPair<QByteArray, qint64>>& starts) const;
};
