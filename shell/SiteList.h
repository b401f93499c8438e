#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The user's list of cover web sites as a file: one "name;address" line a site, CR LF.
// In memory a site is only its display text, name + " -> " + address.
//
// The program folder is normally read-only, so the user's own copy lives in the user's data
// folder; the program's CS.DAT is only the list a user starts from.
class SiteList
{
public:
    // Nothing the user keeps by hand comes near this; a larger file is read only this far.
    static constexpr qint64 MaxFileBytes = 1024 * 1024;

    static QString separator() { return QStringLiteral(" -> "); }

    // Where the user's list is kept (CS.DAT in the user's data folder).
    static QString userListPath();
    static void setUserListPathForTests(const QString& path); // "" goes back to the real one
    // The list shipped with the program.
    static QString startingListPath();

    // The user's list, or the starting list while the user has none of their own; a file
    // that cannot be read gives an empty list.
    static QStringList read();
    // Replaces the user's list in one step, so a failure never leaves half a list behind.
    static bool write(const QStringList& entries);

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
};
