#include "CueSheet.h"

#include "TextCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStringDecoder>

#include <algorithm>

namespace {

// A TRACK line as read, before the tracks the sheet gives are picked from them: a data track
// or the first track past the last one taken still ends the track before it.
struct Entry
{
    CueSheet::Track track;
    int file = -1; // the FILE line it follows, by its place in the sheet (-1: none)
    bool given = true;
};

QString decode(QByteArrayView bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringDecoder::Utf16).decode(bytes);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? platform::decodeWindows1252(bytes) : text;
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// The word at the start of `line`, and what follows it without the blanks between.
std::pair<QStringView, QStringView> split(QStringView line)
{
    qsizetype start = 0;
    while (start < line.size() && isBlank(line[start]))
        ++start;
    qsizetype end = start;
    while (end < line.size() && !isBlank(line[end]))
        ++end;
    qsizetype rest = end;
    while (rest < line.size() && isBlank(line[rest]))
        ++rest;
    return {line.sliced(start, end - start), line.sliced(rest)};
}

// A title or name: the quoted text, or the rest of the line when it is not quoted (many
// sheets written by hand leave the quotes out). Cut to its bound; no control character, so
// that a tab in a title cannot move the time of a track list line.
QString value(QStringView rest)
{
    if (rest.startsWith(QLatin1Char('"'))) {
        rest = rest.sliced(1);
        const qsizetype close = rest.indexOf(QLatin1Char('"'));
        if (close >= 0)
            rest = rest.first(close);
    }
    rest = rest.first(qMin(rest.size(), qsizetype(CueSheet::MaxValueChars)));
    if (!rest.isEmpty() && rest.back().isHighSurrogate())
        rest.chop(1);
    QString text = rest.toString();
    for (QChar& c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QLatin1Char(' ');
    }
    return text.trimmed();
}

// FILE "name" TYPE, or the name unquoted before its type.
QString fileName(QStringView rest)
{
    if (rest.startsWith(QLatin1Char('"')))
        return value(rest);
    rest = rest.trimmed();
    qsizetype blank = rest.size() - 1;
    while (blank > 0 && !isBlank(rest[blank]))
        --blank;
    return value(blank > 0 ? rest.first(blank) : rest);
}

// Only digits, at most `most` of them.
std::optional<qint64> number(QStringView text, int most)
{
    if (text.isEmpty() || text.size() > most)
        return std::nullopt;
    qint64 n = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        n = n * 10 + (c.unicode() - '0');
    }
    return n;
}

// mm:ss:ff in frames; minutes may run past 99 in a long file.
std::optional<qint64> frames(QStringView time)
{
    const qsizetype first = time.indexOf(QLatin1Char(':'));
    const qsizetype second = first < 0 ? -1 : time.indexOf(QLatin1Char(':'), first + 1);
    if (second < 0)
        return std::nullopt;
    const auto mm = number(time.first(first), 6);
    const auto ss = number(time.sliced(first + 1, second - first - 1), 2);
    const auto ff = number(time.sliced(second + 1), 2);
    if (!mm || !ss || !ff || *ss >= 60 || *ff >= CueSheet::FramesPerSecond)
        return std::nullopt;
    return (*mm * 60 + *ss) * CueSheet::FramesPerSecond + *ff;
}

// A FILE name from the sheet's folder. A Windows path's folders are those of the machine that
// wrote it; the file is looked for beside the sheet.
QString resolved(const QString& folder, QString name)
{
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (name.size() >= 2 && name[1] == QLatin1Char(':') && name[0].isLetter())
        name = name.section(QLatin1Char('/'), -1);
    if (name.isEmpty())
        return QString();
    // Joined by hand: QDir would take a name starting with ':' for one of Qt's resources.
    if (name.startsWith(QLatin1Char('/')) || folder.isEmpty())
        return QDir::cleanPath(name);
    return QDir::cleanPath(folder + QLatin1Char('/') + name);
}

qint64 frameMs(qint64 frames)
{
    return frames * 1000 / CueSheet::FramesPerSecond;
}

} // namespace

CueSheet CueSheet::read(const QString& path, const AudioLength& lengthOf)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return CueSheet(Status::Unreadable);
    if (info.size() > MaxFileBytes)
        return CueSheet(Status::TooLarge);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return CueSheet(Status::Unreadable);
    // The file may have grown since it was measured.
    const QByteArray bytes = file.read(MaxFileBytes + 1);
    return parse(bytes, info.absolutePath(), lengthOf);
}

CueSheet CueSheet::parse(QByteArrayView bytes, const QString& folder, const AudioLength& lengthOf)
{
    if (bytes.size() > MaxFileBytes)
        return CueSheet(Status::TooLarge);
    const QString text = decode(bytes);
    CueSheet sheet(Status::Read);
    QList<Entry> entries;
    // The last FILE line's name, and its place among the FILE lines; resolved only when a
    // track comes after it, since a sheet may hold many FILE lines and few tracks.
    QString file;
    int files = 0;
    int resolvedFile = -1;
    bool ignoring = false; // after a TRACK line that was not read: its lines are no one's
    qsizetype at = 0;
    while (at < text.size()) {
        qsizetype end = at;
        while (end < text.size() && text[end] != QLatin1Char('\n') &&
               text[end] != QLatin1Char('\r'))
            ++end;
        const QStringView line = QStringView(text).sliced(at, end - at);
        at = end + (end + 1 < text.size() && text[end] == QLatin1Char('\r') &&
                            text[end + 1] == QLatin1Char('\n')
                        ? 2
                        : 1);
        const std::pair<QStringView, QStringView> words = split(line);
        const QStringView keyword = words.first;
        const QStringView rest = words.second;
        const auto is = [&keyword](const char* name) {
            return keyword.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
        };
        if (is("TRACK")) {
            // One more than the disc holds is read, to end the last track taken.
            if (entries.size() > MaxTracks) {
                ignoring = true;
                continue;
            }
            const auto [digits, more] = split(rest);
            const QStringView type = split(more).first;
            Entry entry;
            entry.track.number = int(number(digits, 2).value_or(0));
            entry.file = files - 1;
            entry.given =
                entries.size() < MaxTracks &&
                (type.isEmpty() || type.compare(QLatin1String("AUDIO"), Qt::CaseInsensitive) == 0);
            if (entry.file >= 0) {
                if (resolvedFile != entry.file) {
                    file = resolved(folder, file);
                    resolvedFile = entry.file;
                }
                entry.track.file = file;
            }
            entries.append(entry);
        } else if (is("FILE")) {
            file = fileName(rest);
            ++files;
        } else if (ignoring) {
            continue;
        } else if (is("TITLE") || is("PERFORMER")) {
            QString& target = entries.isEmpty() ? (is("TITLE") ? sheet.m_title : sheet.m_performer)
                                                : (is("TITLE") ? entries.last().track.title
                                                               : entries.last().track.performer);
            target = value(rest);
        } else if (is("INDEX") && !entries.isEmpty()) {
            const auto [index, time] = split(rest);
            const auto start = frames(split(time).first);
            if (number(index, 2) == 1 && start && entries.last().track.startFrame < 0)
                entries.last().track.startFrame = *start;
        } else if (is("REM") && sheet.m_disc == 0) {
            const auto [name, disc] = split(rest);
            if (name.compare(QLatin1String("DISCNUMBER"), Qt::CaseInsensitive) == 0) {
                qsizetype digits = 0;
                while (digits < disc.size() && disc[digits].isDigit() && digits < 3)
                    ++digits;
                sheet.m_disc = int(number(disc.first(digits), 3).value_or(0));
            }
        }
    }
    // Data tracks alone are no tracks to list either.
    if (std::none_of(entries.cbegin(), entries.cend(), [](const Entry& e) { return e.given; }))
        return CueSheet(Status::NoTracks);

    // A track ends where the next one in its file starts; the last one of a file, where the
    // file ends.
    QHash<QString, std::optional<qint64>> fileLengths;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        Entry& entry = entries[i];
        CueSheet::Track& track = entry.track;
        if (!entry.given || track.startFrame < 0)
            continue;
        if (i + 1 < entries.size() && entries[i + 1].file == entry.file) {
            const qint64 next = entries[i + 1].track.startFrame;
            if (next > track.startFrame)
                track.lengthMs = frameMs(next) - frameMs(track.startFrame);
        } else if (!track.file.isEmpty() && lengthOf) {
            auto known = fileLengths.constFind(track.file);
            if (known == fileLengths.cend())
                known = fileLengths.insert(track.file, lengthOf(track.file));
            if (known->has_value() && **known > frameMs(track.startFrame))
                track.lengthMs = **known - frameMs(track.startFrame);
        }
    }
    for (const Entry& entry : std::as_const(entries)) {
        if (entry.given)
            sheet.m_tracks.append(entry.track);
    }
    return sheet;
}
