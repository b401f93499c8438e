#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The user's list of cover web sites as a file: one "name;address" line a site, CR LF.
// In memory a site is only its display text, name + " -> " + address.
//
// The program folder is normally read-only, so the user's own copy lives in the user's data
// folder; the program's CS.DAT is only the list a user starts from.
class SiteList
{
public:
    // The list kept at `userListPath`, begun from the one at `startingListPath` while the
    // user has none of their own.
    SiteList(const QString& userListPath, const QString& startingListPath)
        : m_userListPath(userListPath), m_startingListPath(startingListPath)
    {
    }

    // Nothing the user keeps by hand comes near these. A file beyond them is not read at all
    // (half a list shown would be written back as the whole list), and within them the
    // window opens and closes in a moment. The bytes are counted as the list is written
    // (UTF-8, CR LF), so a list from Windows, whose accented letters take one byte each
    // there, is judged by what it becomes, and a list read can always be read again.
    static constexpr qint64 MaxFileBytes = 1024 * 1024;
    static constexpr int MaxEntries = 5000;
    static constexpr int MaxLineBytes = 4096;

    struct Contents
    {
        QStringList entries;
        QString path;         // the file read, or the one that could not be
        bool readable = true; // false: the file is there but was not read; leave it alone
    };

    static QString separator() { return QStringLiteral(" -> "); }

    // The file name of a list, in the user's data folder and in the program's folder.
    static QString fileName() { return QStringLiteral("CS.DAT"); }
    const QString& userListPath() const { return m_userListPath; }
    const QString& startingListPath() const { return m_startingListPath; }

    // The user's list, or the starting list while the user has none of their own. A missing
    // file is an empty list; one that is there but is no regular file, cannot be opened or is
    // beyond the bounds is not readable.
    Contents read() const;
    // The entries of a file's bytes, or nothing when they are beyond the bounds.
    static std::optional<QStringList> parseBounded(const QByteArray& bytes);
    // Replaces the user's list in one step, so a failure never leaves half a list behind.
    bool write(const QStringList& entries) const;

    // Lines are trimmed and empty ones skipped; a line is split at its first ";".
    static QStringList parse(const QByteArray& bytes);
    // Each entry split at its first " -> ", both parts trimmed, joined by ";".
    static QByteArray format(const QStringList& entries);

    // Whether Go may hand the address to the desktop: http, https and ftp addresses, and
    // "www." host names, which mean http. Blanks around the address do not count.
    static bool isWebAddress(const QString& address);
    // What Go hands to the desktop: the address as it stands, except that a bare "www."
    // name gets its "http://" (else the desktop could take it for a file of that name).
    static QString shellTarget(const QString& address);

private:
    QString m_userListPath;
    QString m_startingListPath;
};
