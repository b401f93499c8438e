#include "TestDatabase.h"

#include <QString>

TestDatabase& TestDatabase::header(const QByteArray& line)
{
    // Header lines stay together right after [SPOKEN], whatever was added in between.
    qsizetype at = 0;
    while (at < m_blocks.size() && m_blocks[at].isHeader)
        ++at;
    m_blocks.insert(at, {true, line});
    return *this;
}

TestDatabase& TestDatabase::section(const QByteArray& name, const QList<QByteArray>& lines)
{
    m_blocks.append({false, '[' + name + ']'});
    for (const QByteArray& line : lines)
        m_blocks.append({false, line});
    return *this;
}

TestDatabase& TestDatabase::raw(const QByteArray& line)
{
    m_blocks.append({false, line});
    return *this;
}

TestDatabase& TestDatabase::lineEnd(const QByteArray& end)
{
    m_lineEnd = end;
    return *this;
}

QByteArray TestDatabase::render(const QList<QPair<QByteArray, qint64>>& starts) const
{
    QByteArray out = "[SPOKEN]" + m_lineEnd;
    for (const Block& block : m_blocks) {
        QByteArray line = block.line;
        if (block.isHeader) {
            for (const auto& [name, start] : starts)
                line.replace('@' + name + '@', QByteArray::number(start));
        }
        out += line + m_lineEnd;
    }
    return out;
}

QByteArray TestDatabase::bytes() const
{
    QList<QPair<QByteArray, qint64>> starts;
    for (const Block& block : m_blocks) {
        if (!block.isHeader && block.line.startsWith('[') && block.line.endsWith(']'))
            starts.append({block.line.mid(1, block.line.size() - 2), 0});
    }
    // The digits of a start shift every section after the header; a few rounds settle it.
    QByteArray out = render(starts);
    for (int round = 0; round < 8; ++round) {
        bool changed = false;
        for (auto& [name, start] : starts) {
            const qint64 found = startOf(out, name);
            changed = changed || found != start;
            start = found;
        }
        if (!changed)
            break;
        out = render(starts);
    }
    return out;
}

TestDatabase TestDatabase::standard(const QList<QByteArray>& names, int numStrings, int base,
                                    int step)
{
    TestDatabase db;
    db.header("NumLanguages=" + QByteArray::number(names.size()));
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QByteArray n = QByteArray::number(i + 1);
        db.header("Language" + n + '=' + names[i]);
        db.header("Language" + n + "Start=@" + names[i] + '@');
    }
    db.header("NumStrings=" + QByteArray::number(numStrings));
    db.header("StringIndexBase=" + QByteArray::number(base));
    db.header("StringIndexStep=" + QByteArray::number(step));
    for (const QByteArray& name : names) {
        QList<QByteArray> lines;
        for (int k = 0; k < numStrings; ++k) {
            const int number = base + k * step;
            lines.append('S' + QByteArray::number(number) + '=' +
                         standardText(name, number).toUtf8());
        }
        db.section(name, lines);
    }
    return db;
}

QString TestDatabase::standardText(const QByteArray& name, int number)
{
    return QString::fromUtf8(name) + QLatin1Char(' ') + QString::number(number);
}

qint64 TestDatabase::startOf(const QByteArray& bytes, const QByteArray& name)
{
    const QByteArray wanted = '[' + name + ']';
    qsizetype begin = 0;
    while (begin < bytes.size()) {
        qsizetype end = begin;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        if (bytes.mid(begin, end - begin) == wanted)
            return begin + 1;
        if (end < bytes.size() && bytes[end] == '\r')
            ++end;
        if (end < bytes.size() && bytes[end] == '\n')
            ++end;
        begin = end;
    }
    return 0;
}
