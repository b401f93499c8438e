#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

namespace lang {

// Error numbers of a failed load, with the texts the load-error dialog shows for them.
enum class LoadError {
    Overflow = 6,
    OutOfMemory = 7,
    SubscriptOutOfRange = 9,
    InputPastEndOfFile = 62,
    BadRecordNumber = 63,
};
QString errorText(LoadError error);
// "Subscript out of range(Code9)"
QString loadErrorMessage(LoadError error);

// What a load asks of its surroundings: the program answers through message boxes and the
// language chooser, the translators' tool on its console.
class LoadHost
{
public:
    enum class Answer { Abort, Retry, Ignore };
    virtual ~LoadHost() = default;
    // The load ends after a fatal fault; the program ends with it.
    virtual void fatal(const QString& message) = 0;
    virtual Answer loadError(LoadError error) = 0;
    // Returns the chosen list position, or -1 when none was chosen.
    virtual int chooseLanguage(const QStringList& names) = 0;
    virtual QString commandLine() = 0;
    virtual void languageChosen(int number) = 0;
    virtual void setBusy(bool) {}
    virtual void setNormalCursor() {}
};

// One load of the language database: the header, the choice of language and the strings of
// that language.
class LangLoader
{
public:
    // Safety limits that keep a damaged database from exhausting memory.
    static constexpr qint64 MaxTableSlots = 1 << 22;
    static constexpr qint64 MaxFileBytes = 64 * 1024 * 1024;

    struct Result
    {
        bool completed = false;      // false: ended by a fatal fault or Abort
        QStringList names;           // Language1 ... LanguageN
        QList<qint64> starts;        // their start positions as the header gives them
        int chosen = 0;              // the language number stored by the load
        bool startPositionHit = false; // the start position led straight to the section
        QVector<QString> table;      // the string table, slots 0 ... bound
        QVector<bool> filled;        // which slots a line of the section filled
    };

    // currentLanguage: the current language number before the load (0 unknown, -1 ask).
    static Result load(const QString& path, int currentLanguage, LoadHost& host);

    // The message of a fatal fault.
    static QString notFoundMessage(const QString& path);
    static QString criticalMessage(const QString& path);
};

// The leading decimal number of a text ("12abc" -> 12; "" or "x" -> 0), as the database's
// numbers are read. ok is false when the number does not fit in [min, max].
qint64 leadingNumber(const QString& text, bool* ok, qint64 min, qint64 max);

} // namespace lang
