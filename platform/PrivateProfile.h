#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>

#include <QString>
#include <utility>

namespace platform {

// Private-profile (INI) files as the rest of the program expects them:
// - section and key names match regardless of letter case;
// - blanks around names and values are not part of them;
// - a value wrapped in one pair of matching quotes ("..." or '...') loses them;
// - a read result is cut to size - 1 characters (size <= 1 gives "");
// - a missing file, section or key gives the default;
// - the first matching section and the first matching key in it win.
// Text is decoded line by line as UTF-8, or as Windows-1252 where a line is not valid UTF-8.
//
// Writing creates the file, the section (appended at the end) or the key (after the
// section's last entry) as needed, keeps every other byte of the file as it was, keeps the
// file's line ends (CR LF for a new file) and replaces the file atomically.
QString GetPrivateProfileString(const QString& section, const QString& key,
                                const QString& defaultValue, int size, const QString& path);

// Returns false when nothing was written: the file cannot be read or replaced, it is
// larger than ProfileFile::MaxFileBytes, or the names or the value cannot be written as
// they are without changing the file's structure: a line break anywhere, a "]" in the
// section name, a "=" in the key, or a key that would read as a section header.
bool WritePrivateProfileString(const QString& section, const QString& key, const QString& value,
                               const QString& path);

// Sets several keys of one section as the single-key writer would, one after the other, and
// replaces the file once: either all of them are written or none.
bool WritePrivateProfileStrings(const QString& section,
                                const QList<std::pair<QString, QString>>& keyValues,
                                const QString& path);

// A change of one section for the writer below: its keys set as the single-key writer sets
// them, or, when `remove` is true, the section taken out whole (its header and every line up
// to the next section; nothing when there is no such section).
struct ProfileSectionEdit
{
    QString section;
    QList<std::pair<QString, QString>> keyValues;
    bool remove = false;
};

// Makes the edits, each of another section, and replaces the file once: all of them or none.
// The file is read through once however many sections change.
bool WritePrivateProfileSections(const QList<ProfileSectionEdit>& edits, const QString& path);

// A profile file parsed once, for callers that read many keys of one file.
class ProfileFile
{
public:
    // Files larger than this are treated as unreadable: nothing this program reads
    // or writes in profile layout comes near it.
    static constexpr qint64 MaxFileBytes = 16 * 1024 * 1024;

    ProfileFile() = default;
    static ProfileFile load(const QString& path);
    static ProfileFile parse(const QByteArray& bytes);
    // The same, keeping only the keys of one section: the lines of the others are not even
    // decoded, which matters for a large file read for its header alone.
    static ProfileFile parseSection(const QByteArray& bytes, const QString& section);

    bool isValid() const { return m_valid; } // false: missing, unreadable or too large
    // Whether a section of that name (in any letter case) is in the file, keys or not.
    bool hasSection(const QString& section) const;
    QString value(const QString& section, const QString& key, const QString& defaultValue,
                  int size) const;

private:
    static ProfileFile parse(const QByteArray& bytes, const QString* onlySection);

    // case-folded section + NUL + case-folded key -> the value (trimmed, quotes removed)
    QHash<QString, QString> m_values;
    QSet<QString> m_sections; // case-folded
    bool m_valid = false;
};

} // namespace platform
