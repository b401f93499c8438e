#include "DatabaseLayout.h"

#include "LangLoader.h"
#include "TextCodec.h"

#include <QFile>

namespace langtool {
namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

DatabaseLayout::Span trimmed(const QByteArray& bytes, DatabaseLayout::Span span)
{
    while (span.begin < span.end && isBlank(bytes[span.begin]))
        ++span.begin;
    while (span.end > span.begin && isBlank(bytes[span.end - 1]))
        --span.end;
    return span;
}

QStringView trimBlanks(QStringView t)
{
    while (!t.isEmpty() && (t.front() == u' ' || t.front() == u'\t'))
        t = t.sliced(1);
    while (!t.isEmpty() && (t.back() == u' ' || t.back() == u'\t'))
        t.chop(1);
    return t;
}

QString text(const QByteArray& bytes, DatabaseLayout::Span span)
{
    return platform::decodeLine(QByteArrayView(bytes).sliced(span.begin, span.end - span.begin));
}

// A section line as the profile reader sees one: "[" ... "]" once blanks are trimmed.
std::optional<QString> sectionName(const QByteArray& bytes, DatabaseLayout::Span line)
{
    const QString t = text(bytes, trimmed(bytes, line));
    if (!t.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype close = t.indexOf(QLatin1Char(']'));
    if (close <= 0)
        return std::nullopt;
    return trimBlanks(QStringView(t).sliced(1, close - 1)).toString();
}

} // namespace

bool DatabaseLayout::read(const QString& path, QByteArray* bytes, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = path + QStringLiteral(": cannot be read: ") + file.errorString();
        return false;
    }
    if (file.size() > lang::LangLoader::MaxFileBytes) {
        *error = path + QStringLiteral(": is larger than a language database can be");
        return false;
    }
    *bytes = file.readAll();
    return true;
}

QList<DatabaseLayout::Span> DatabaseLayout::lines(const QByteArray& bytes)
{
    QList<Span> result;
    qsizetype begin = 0;
    while (begin < bytes.size()) {
        qsizetype end = begin;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        result.append({begin, end});
        if (end < bytes.size() && bytes[end] == '\r')
            ++end;
        if (end < bytes.size() && bytes[end] == '\n')
            ++end;
        begin = end;
    }
    return result;
}

qint64 DatabaseLayout::sectionStart(const QByteArray& bytes, const QString& name)
{
    const QString wanted = QLatin1Char('[') + name + QLatin1Char(']');
    const QList<Span> all = lines(bytes);
    for (const Span& line : all) {
        // The load trims only spaces here, not tabs.
        const QString t = text(bytes, line);
        QStringView v(t);
        while (!v.isEmpty() && v.front() == u' ')
            v = v.sliced(1);
        while (!v.isEmpty() && v.back() == u' ')
            v.chop(1);
        if (v == wanted)
            return line.begin + 1;
    }
    return 0;
}

std::optional<DatabaseLayout::Span> DatabaseLayout::headerValue(const QByteArray& bytes,
                                                                const QString& key)
{
    bool inHeader = false;
    const QList<Span> all = lines(bytes);
    for (const Span& line : all) {
        if (const std::optional<QString> section = sectionName(bytes, line)) {
            if (inHeader)
                return std::nullopt; // only the first [SPOKEN] section is read
            inHeader = section->compare(QLatin1String("SPOKEN"), Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!inHeader)
            continue;
        const qsizetype equals =
            QByteArrayView(bytes).sliced(line.begin, line.end - line.begin).indexOf('=');
        if (equals < 0)
            continue;
        const Span name = trimmed(bytes, {line.begin, line.begin + equals});
        if (text(bytes, name).compare(key, Qt::CaseInsensitive) == 0)
            return trimmed(bytes, {line.begin + equals + 1, line.end});
    }
    return std::nullopt;
}

} // namespace langtool
