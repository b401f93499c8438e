#include "PrivateProfile.h"

#include <QSet>

#include "TextCodec.h"

#include <QFile>
#include <QSaveFile>

namespace platform {
namespace {

// Where one line lies in the raw file: its text, then its own line end (none on a last
// line that lacks one). The writer splices by these offsets so that nothing it does not
// mean to change is ever re-encoded.
struct RawLine
{
    qsizetype begin = 0;
    qsizetype length = 0;
    qsizetype endLength = 0;
};

enum class LineKind
{
    Other,
    Section,
    Key
};

struct ParsedLine
{
    LineKind kind = LineKind::Other;
    QString name;
    QString value;
};

enum class ReadResult
{
    Ok,
    Missing,
    Failed
};

// Files may come from Windows, old Macs or Unix, and may mix their line ends after
// being edited on different systems.
QList<RawLine> splitLines(const QByteArray& bytes)
{
    QList<RawLine> lines;
    const qsizetype size = bytes.size();
    qsizetype begin = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char c = bytes.at(i);
        if (c != '\r' && c != '\n')
            continue;
        const qsizetype endLength = (c == '\r' && i + 1 < size && bytes.at(i + 1) == '\n') ? 2 : 1;
        lines.append({begin, i - begin, endLength});
        i += endLength - 1;
        begin = i + 1;
    }
    if (begin < size)
        lines.append({begin, size - begin, 0});
    return lines;
}

// Only space and tab count: other white space is kept as part of a name or value, as the
// files' Windows origin expects.
QStringView trimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && (text[begin] == u' ' || text[begin] == u'\t'))
        ++begin;
    while (end > begin && (text[end - 1] == u' ' || text[end - 1] == u'\t'))
        --end;
    return text.sliced(begin, end - begin);
}

QString indexKey(const QString& sectionFolded, const QString& keyFolded)
{
    return sectionFolded + QChar(0) + keyFolded;
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Reader and writer must agree on every line's meaning, or a write could add a key
// that the reader then never finds; both go through here.
ParsedLine parseLine(QByteArrayView bytes)
{
    const QString text = decodeLine(bytes);
    const QStringView line = trimBlanks(text);
    if (line.startsWith(u'[')) {
        const qsizetype close = line.indexOf(u']');
        if (close > 0)
            return {LineKind::Section, trimBlanks(line.sliced(1, close - 1)).toString(), {}};
    }
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return {};
    QStringView value = trimBlanks(line.sliced(equals + 1));
    // Quotes let a value keep blanks at its ends; only one matching pair is stripped.
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        value = value.sliced(1, value.size() - 2);
    return {LineKind::Key, trimBlanks(line.first(equals)).toString(), value.toString()};
}

QString cutToSize(const QString& text, int size)
{
    if (size <= 1)
        return {};
    qsizetype length = size - 1;
    if (text.size() <= length)
        return text;
    // Half a surrogate pair would be an invalid character; drop it rather than return it.
    if (text.at(length - 1).isHighSurrogate())
        --length;
    return text.first(length);
}

ReadResult readProfileBytes(const QString& path, QByteArray* bytes)
{
    QFile file(path);
    if (!file.exists())
        return ReadResult::Missing;
    if (!file.open(QIODevice::ReadOnly))
        return ReadResult::Failed;
    // One byte past the limit is enough to tell an oversized file without loading it all.
    // A file of known size is read for that size first: a buffer of the limit for every
    // read of a small file costs more than the read itself.
    const qint64 limit = ProfileFile::MaxFileBytes + 1;
    *bytes = file.read(file.isSequential() ? limit : qMin(limit, file.size() + 1));
    if (bytes->size() < limit && !file.atEnd()) // it grew since its size was taken
        *bytes += file.read(limit - bytes->size());
    if (file.error() != QFileDevice::NoError || bytes->size() > ProfileFile::MaxFileBytes)
        return ReadResult::Failed;
    return ReadResult::Ok;
}

bool hasLineBreak(const QString& text)
{
    return text.contains(u'\r') || text.contains(u'\n');
}

// QSaveFile renames over the old file, which the folder's permissions allow even when the
// file itself is read-only; a read-only file must stay as it is. The mode bits are checked
// as well as access, so that the answer does not depend on who runs the program.
bool isWritableFile(const QFile& file)
{
    constexpr auto anyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    const QFileDevice::Permissions permissions = file.permissions();
    return (permissions & QFileDevice::WriteUser) && (permissions & anyWrite);
}

} // namespace

ProfileFile ProfileFile::load(const QString& path)
{
    QByteArray bytes;
    if (readProfileBytes(path, &bytes) != ReadResult::Ok)
        return {};
    return parse(bytes);
}

// Lookups go through an index of the first section of each name and the first key of each
// name in it, so that reading many keys of a large file stays cheap. Key lines with an empty
// name are dropped: no lookup could reach them.
ProfileFile ProfileFile::parse(const QByteArray& bytes)
{
    return parse(bytes, nullptr);
}

ProfileFile ProfileFile::parseSection(const QByteArray& bytes, const QString& section)
{
    return parse(bytes, &section);
}

namespace {

// Whether a line can open a section: after blanks, a "[" or a byte that only decoding can
// judge (a byte-order mark, a character beyond ASCII).
bool mayOpenSection(QByteArrayView line)
{
    for (const char c : line) {
        if (c == ' ' || c == '\t')
            continue;
        return c == '[' || static_cast<unsigned char>(c) >= 0x80;
    }
    return false;
}

} // namespace

ProfileFile ProfileFile::parse(const QByteArray& bytes, const QString* onlySection)
{
    ProfileFile file;
    const QString onlyFolded =
        onlySection ? trimBlanks(*onlySection).toString().toCaseFolded() : QString();
    if (bytes.size() > MaxFileBytes)
        return file;
    file.m_valid = true;
    const QByteArrayView view(bytes);
    QSet<QString> seenSections;
    QString sectionFolded;
    bool indexing = false; // lines before the first section, and repeated sections, are not
    const QList<RawLine> lines = splitLines(bytes);
    for (const RawLine& line : lines) {
        const QByteArrayView bytesOfLine = view.sliced(line.begin, line.length);
        if (!indexing && onlySection && !mayOpenSection(bytesOfLine))
            continue;
        ParsedLine parsed = parseLine(bytesOfLine);
        if (parsed.kind == LineKind::Section) {
            sectionFolded = parsed.name.toCaseFolded();
            indexing = !seenSections.contains(sectionFolded) &&
                       (!onlySection || sectionFolded == onlyFolded);
            seenSections.insert(sectionFolded);
        } else if (parsed.kind == LineKind::Key && indexing && !parsed.name.isEmpty()) {
            const QString id = indexKey(sectionFolded, parsed.name.toCaseFolded());
            if (!file.m_values.contains(id))
                file.m_values.insert(id, std::move(parsed.value));
        }
    }
    file.m_sections = std::move(seenSections);
    return file;
}

bool ProfileFile::hasSection(const QString& section) const
{
    return m_sections.contains(trimBlanks(section).toString().toCaseFolded());
}

QString ProfileFile::value(const QString& section, const QString& key, const QString& defaultValue,
                           int size) const
{
    const QStringView wantedSection = trimBlanks(section);
    const QStringView wantedKey = trimBlanks(key);
    if (!m_valid || wantedKey.isEmpty())
        return cutToSize(defaultValue, size);
    const auto it = m_values.constFind(
        indexKey(wantedSection.toString().toCaseFolded(), wantedKey.toString().toCaseFolded()));
    if (it == m_values.constEnd())
        return cutToSize(defaultValue, size);
    return cutToSize(*it, size);
}

QString GetPrivateProfileString(const QString& section, const QString& key,
                                const QString& defaultValue, int size, const QString& path)
{
    return ProfileFile::load(path).value(section, key, defaultValue, size);
}

namespace {

// The file's bytes with one key set, as the writer leaves them.
QByteArray withKey(const QByteArray& bytes, const QString& section, const QString& key,
                   const QString& value)
{
    const QStringView wantedSection = trimBlanks(section);
    const QStringView wantedKey = trimBlanks(key);
    const QByteArrayView view(bytes);
    const QList<RawLine> lines = splitLines(bytes);
    // New lines follow the file's own convention so that an editor sees one style.
    const QByteArray lineEnd = (!lines.isEmpty() && lines.first().endLength > 0)
                                   ? bytes.mid(lines.first().length, lines.first().endLength)
                                   : QByteArrayLiteral("\r\n");

    qsizetype sectionLine = -1;
    qsizetype lastKeyLine = -1;
    qsizetype keyLine = -1;
    for (qsizetype i = 0; i < lines.size() && keyLine < 0; ++i) {
        const ParsedLine parsed = parseLine(view.sliced(lines[i].begin, lines[i].length));
        if (parsed.kind == LineKind::Section) {
            if (sectionLine >= 0)
                break; // only the first matching section is ever read, so only it is written
            if (sameName(parsed.name, wantedSection))
                sectionLine = i;
        } else if (parsed.kind == LineKind::Key && sectionLine >= 0) {
            lastKeyLine = i;
            if (sameName(parsed.name, wantedKey))
                keyLine = i;
        }
    }

    const QByteArray newLine = key.toUtf8() + '=' + value.toUtf8();
    QByteArray result;
    if (keyLine >= 0) {
        const RawLine& line = lines[keyLine];
        result = bytes.first(line.begin) + newLine + bytes.sliced(line.begin + line.length);
    } else if (sectionLine >= 0) {
        // After the section's last entry, so that blank lines and comments that lead into
        // the next section stay with it.
        // The new line takes the ending of the line it follows: in a file with mixed
        // endings, a lone CR put before a following LF would fuse with it into one CR LF.
        const RawLine& line = lines[lastKeyLine >= 0 ? lastKeyLine : sectionLine];
        const qsizetype end = line.begin + line.length + line.endLength;
        const QByteArray ending =
            line.endLength > 0 ? bytes.sliced(line.begin + line.length, line.endLength) : lineEnd;
        result = bytes.first(end);
        if (line.endLength == 0)
            result += ending;
        result += newLine + ending + bytes.sliced(end);
    } else {
        result = bytes;
        if (!lines.isEmpty() && lines.last().endLength == 0)
            result += lineEnd;
        result += '[' + section.toUtf8() + ']' + lineEnd + newLine + lineEnd;
    }

    return result;
}

// The file's bytes with every edit made, in one pass over the file however many sections
// change (each section at most once among the edits): a section's keys that exist are
// replaced in place and new ones follow its last entry in the order given, as setting them one
// after the other would leave them; a removed section goes from its header up to the next one,
// and so does every later section of the same name;
// sections the file lacks are appended in the edits' order.
QByteArray withSections(const QByteArray& bytes, const QList<ProfileSectionEdit>& edits)
{
    const QByteArrayView view(bytes);
    const QList<RawLine> lines = splitLines(bytes);
    const QByteArray lineEnd = (!lines.isEmpty() && lines.first().endLength > 0)
                                   ? bytes.mid(lines.first().length, lines.first().endLength)
                                   : QByteArrayLiteral("\r\n");

    struct Found
    {
        qsizetype header = -1;
        qsizetype end = -1;     // the next section's header, or the line count
        qsizetype lastKey = -1;
        QHash<QString, qsizetype> keys; // case-folded name -> first line
    };
    QHash<QString, qsizetype> wanted; // case-folded section -> its edit
    for (qsizetype i = 0; i < edits.size(); ++i)
        wanted.insert(trimBlanks(edits[i].section).toString().toCaseFolded(), i);
    std::vector<Found> found(size_t(edits.size()));
    std::vector<bool> removed(size_t(lines.size()), false);
    Found* current = nullptr;
    qsizetype removing = -1; // the header of a second section of a removed name
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArrayView line = view.sliced(lines[i].begin, lines[i].length);
        // Only the lines of sections being edited need their keys read.
        if (current == nullptr && removing < 0 && !mayOpenSection(line))
            continue;
        const ParsedLine parsed = parseLine(line);
        if (removing >= 0 && parsed.kind != LineKind::Section) {
            removed[size_t(i)] = true;
            continue;
        }
        if (parsed.kind == LineKind::Section) {
            if (current)
                current->end = i;
            current = nullptr;
            removing = -1;
            const auto it = wanted.constFind(parsed.name.toCaseFolded());
            if (it != wanted.constEnd() && found[size_t(*it)].header < 0) {
                current = &found[size_t(*it)];
                current->header = i;
            } else if (it != wanted.constEnd() && edits[*it].remove) {
                // A section removed goes whole, however many times the file repeats it: the
                // reader would otherwise find the next one in its place.
                removing = i;
                removed[size_t(i)] = true;
            }
        } else if (parsed.kind == LineKind::Key && current) {
            current->lastKey = i;
            const QString folded = parsed.name.toCaseFolded();
            if (!current->keys.contains(folded))
                current->keys.insert(folded, i);
        }
    }
    if (current)
        current->end = lines.size();

    QHash<qsizetype, QByteArray> replaced;   // line -> its new text
    QHash<qsizetype, QByteArray> addedAfter; // line -> the lines that follow it
    QByteArray appended;
    for (qsizetype e = 0; e < edits.size(); ++e) {
        const ProfileSectionEdit& edit = edits[e];
        const Found& f = found[size_t(e)];
        if (edit.remove) {
            for (qsizetype i = f.header; i >= 0 && i < f.end; ++i)
                removed[size_t(i)] = true;
            continue;
        }
        if (edit.keyValues.isEmpty())
            continue;
        if (f.header < 0) {
            QByteArray section = '[' + edit.section.toUtf8() + ']' + lineEnd;
            for (const auto& [key, value] : edit.keyValues)
                section += key.toUtf8() + '=' + value.toUtf8() + lineEnd;
            appended += section;
            continue;
        }
        const qsizetype anchor = f.lastKey >= 0 ? f.lastKey : f.header;
        const RawLine& at = lines[anchor];
        const QByteArray ending =
            at.endLength > 0 ? bytes.sliced(at.begin + at.length, at.endLength) : lineEnd;
        QSet<QString> addedKeys;
        QByteArray added;
        for (const auto& [key, value] : edit.keyValues) {
            const QString folded = trimBlanks(key).toString().toCaseFolded();
            const QByteArray line = key.toUtf8() + '=' + value.toUtf8();
            const auto it = f.keys.constFind(folded);
            if (it != f.keys.constEnd())
                replaced.insert(*it, line);
            else if (!addedKeys.contains(folded)) {
                added += line + ending;
                addedKeys.insert(folded);
            }
        }
        if (!added.isEmpty())
            addedAfter.insert(anchor, (at.endLength == 0 ? ending : QByteArray()) + added);
    }

    QByteArray result;
    result.reserve(bytes.size() + appended.size() + 256);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (removed[size_t(i)])
            continue;
        const RawLine& line = lines[i];
        const auto it = replaced.constFind(i);
        result += it != replaced.constEnd() ? QByteArrayView(*it)
                                            : view.sliced(line.begin, line.length);
        result += view.sliced(line.begin + line.length, line.endLength);
        const auto more = addedAfter.constFind(i);
        if (more != addedAfter.constEnd())
            result += *more;
    }
    if (!appended.isEmpty()) {
        if (!result.isEmpty() && !result.endsWith('\n') && !result.endsWith('\r'))
            result += lineEnd;
        result += appended;
    }
    return result;
}

// A name the file cannot hold as itself would change the file's structure: a section name
// holding "]" ends its header early; a key holding "=" splits there, and one shaped like a
// section header ("[x]") starts a section. Each line is checked as the reader will see it.
bool keyWritable(const QString& section, const QString& key, const QString& value)
{
    if (trimBlanks(key).isEmpty() || hasLineBreak(section) || hasLineBreak(key) ||
        hasLineBreak(value))
        return false;
    const ParsedLine header = parseLine(QByteArray('[' + section.toUtf8() + ']'));
    const ParsedLine entry = parseLine(QByteArray(key.toUtf8() + '=' + value.toUtf8()));
    return header.kind == LineKind::Section && header.name == trimBlanks(section) &&
           entry.kind == LineKind::Key && entry.name == trimBlanks(key);
}

// Reads the file for an update; false when it must not be written.
bool readForWriting(const QString& path, QByteArray* bytes)
{
    switch (readProfileBytes(path, bytes)) {
    case ReadResult::Failed:
        return false;
    case ReadResult::Missing:
        return true;
    case ReadResult::Ok:
        return isWritableFile(QFile(path));
    }
    return false;
}

bool replaceFile(const QString& path, const QByteArray& result)
{
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (out.write(result) != result.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

} // namespace

bool WritePrivateProfileString(const QString& section, const QString& key, const QString& value,
                               const QString& path)
{
    QByteArray bytes;
    if (!keyWritable(section, key, value) || !readForWriting(path, &bytes))
        return false;
    return replaceFile(path, withKey(bytes, section, key, value));
}

bool WritePrivateProfileStrings(const QString& section,
                                const QList<std::pair<QString, QString>>& keyValues,
                                const QString& path)
{
    for (const auto& [key, value] : keyValues) {
        if (!keyWritable(section, key, value))
            return false;
    }
    // A key given twice ends as the last of its values, where the first put it.
    QList<std::pair<QString, QString>> keys;
    QHash<QString, qsizetype> at;
    for (const auto& [key, value] : keyValues) {
        const QString folded = trimBlanks(key).toString().toCaseFolded();
        const auto it = at.constFind(folded);
        if (it != at.constEnd()) {
            keys[*it].second = value;
        } else {
            at.insert(folded, keys.size());
            keys.append({key, value});
        }
    }
    QByteArray bytes;
    if (!readForWriting(path, &bytes))
        return false;
    return replaceFile(path, withSections(bytes, {ProfileSectionEdit{section, keys, false}}));
}

bool WritePrivateProfileSections(const QList<ProfileSectionEdit>& edits, const QString& path)
{
    QSet<QString> sections;
    for (const ProfileSectionEdit& edit : edits) {
        for (const auto& [key, value] : edit.keyValues) {
            if (!keyWritable(edit.section, key, value))
                return false;
        }
        const QString folded = trimBlanks(edit.section).toString().toCaseFolded();
        if (sections.contains(folded))
            return false;
        sections.insert(folded);
    }
    QByteArray bytes;
    if (!readForWriting(path, &bytes))
        return false;
    bytes = withSections(bytes, edits);
    if (bytes.size() > ProfileFile::MaxFileBytes)
        return false;
    return replaceFile(path, bytes);
}

} // namespace platform
