#include "SiteList.h"

#include "TextCodec.h"
#include "TextSplit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>

namespace {

bool startsWithWww(const QString& address)
{
    return address.startsWith(QLatin1String("www."), Qt::CaseInsensitive);
}

// A link counts as there even when it leads nowhere: it is the user's, not ours to replace.
bool isThere(const QFileInfo& info)
{
    return info.exists() || info.isSymLink();
}

// The whole file, or nothing. Only a regular file is opened: a pipe or a device could keep
// the program waiting for ever, or feed it without end.
std::optional<QByteArray> readWhole(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > SiteList::MaxFileBytes)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.read(SiteList::MaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > SiteList::MaxFileBytes)
        return std::nullopt;
    return bytes;
}

} // namespace

SiteList::Contents SiteList::read() const
{
    Contents contents;
    const QString own = userListPath();
    contents.path = isThere(QFileInfo(own)) ? own : startingListPath();
    if (!isThere(QFileInfo(contents.path)))
        return contents;
    const std::optional<QByteArray> bytes = readWhole(contents.path);
    const std::optional<QStringList> entries = bytes ? parseBounded(*bytes) : std::nullopt;
    if (entries)
        contents.entries = *entries;
    else
        contents.readable = false;
    return contents;
}

std::optional<QStringList> SiteList::parseBounded(const QByteArray& bytes)
{
    if (bytes.size() > MaxFileBytes)
        return std::nullopt;
    int entries = 0;
    qint64 written = 0;
    qsizetype begin = 0;
    while (begin < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', begin);
        if (end < 0)
            end = bytes.size();
        if (end - begin > MaxLineBytes)
            return std::nullopt;
        const QByteArrayView line = QByteArrayView(bytes).sliced(begin, end - begin).trimmed();
        if (!line.isEmpty()) {
            if (++entries > MaxEntries)
                return std::nullopt;
            // As written back: UTF-8 and CR LF.
            const qsizetype asWritten = platform::decodeLine(line).toUtf8().size();
            written += asWritten + 2;
            if (asWritten > MaxLineBytes || written > MaxFileBytes)
                return std::nullopt;
        }
        begin = end + 1;
    }
    return parse(bytes);
}

bool SiteList::write(const QStringList& entries) const
{
    const QString path = userListPath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = format(entries);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

QStringList SiteList::parse(const QByteArray& bytes)
{
    QStringList entries;
    const QList<QByteArray> lines = bytes.split('\n');
    for (const QByteArray& raw : lines) {
        const QString line = platform::decodeLine(raw).trimmed();
        if (line.isEmpty())
            continue;
        const QString semicolon = QStringLiteral(";");
        entries.append(TextBefore(line, semicolon) + separator() + TextAfter(line, semicolon));
    }
    return entries;
}

QByteArray SiteList::format(const QStringList& entries)
{
    QByteArray bytes;
    for (const QString& entry : entries) {
        const QString line = TextBefore(entry, separator()).trimmed() + QLatin1Char(';') +
                             TextAfter(entry, separator()).trimmed();
        bytes += line.toUtf8() + "\r\n";
    }
    return bytes;
}

bool SiteList::isWebAddress(const QString& address)
{
    const QString text = address.trimmed();
    if (text.isEmpty())
        return false;
    const QUrl url(startsWithWww(text) ? QStringLiteral("http://") + text : text,
                   QUrl::TolerantMode);
    if (!url.isValid() || url.host().isEmpty())
        return false;
    const QString scheme = url.scheme();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
           scheme == QLatin1String("ftp");
}

QString SiteList::shellTarget(const QString& address)
{
    const QString text = address.trimmed();
    return startsWithWww(text) ? QStringLiteral("http://") + text : address;
}
