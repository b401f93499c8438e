#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

namespace lang {

// The language database in use: the strings of the current language, loaded once by the
// first lookup, and the current language number.
class LangRuntime
{
public:
    // Shows the language chooser; returns the chosen list position, or -1.
    using Chooser = std::function<int(const QStringList& names)>;

    static LangRuntime& instance();

    QString lookup(int index);

    // 0 while unknown, -1 to ask again at the next load, else 1 ... number of languages.
    int currentLanguage() const { return m_currentLanguage; }
    void setCurrentLanguage(int number) { m_currentLanguage = qint16(number); }
    // The database's name of the language in use ("Espanol", "English", ...); empty before
    // the first load settles one.
    const QString& languageName() const { return m_languageName; }

    void setChooser(Chooser chooser) { m_chooser = std::move(chooser); }
    // The program's command line (its arguments after the program name): a "/L=" switch
    // there names the language the next choice takes without asking.
    void setCommandLine(const QStringList& arguments) { m_commandLine = arguments; }
    // Whether the language a load settles on becomes the saved Language preference (the
    // program's). A one-off job in another language must leave the user's choice alone.
    void setSavesChoice(bool saves) { m_savesChoice = saves; }
    bool isLoaded() const { return m_loaded; }

    // Whether a load ended in a fatal fault or in Abort. The program cannot go on then, but
    // ending it is its caller's decision, made once it has asked what must be asked first:
    // the load only shows its message and keeps the strings of the language in use before
    // (none at the first load) for those last questions. No further load is made.
    bool mustEnd() const { return m_mustEnd; }

    // The database the loads read: the one set, else Spoken.DBF in the program folder.
    static QString databasePath();
    // Another database for the loads to read: the batch tool answers --help and bad
    // arguments from the copy built into it when the installed one is broken, and tests
    // read one of their own. Kept across reset(); empty goes back to the program's own.
    void setDatabase(const QString& path) { m_database = path; }

    // Back to the state at program start (tests).
    void reset();

private:
    friend class RuntimeHost;
    void load();

    QVector<QString> m_table;
    QString m_database;
    QStringList m_commandLine;
    QString m_languageName;
    Chooser m_chooser;
    qint16 m_currentLanguage = 0;
    bool m_loaded = false;
    bool m_loading = false;
    bool m_mustEnd = false;
    bool m_savesChoice = true;
};

} // namespace lang

// The text of string number index in the current language. Loads the database at the first
// call; index -1 loads it again (choosing the language anew) and returns "". A number
// outside the table gives "Invalid Index"; a number no line filled gives "". Whoever may
// cause a load checks LangRuntime::mustEnd() afterwards.
QString LangString(int index);
