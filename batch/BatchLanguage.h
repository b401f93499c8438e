#pragma once

#include "LangRuntime.h"

#include <QString>
#include <QStringList>

// Settles the language of one batch run without asking anyone and loads the database in it:
// the language named on the command line, else the program's saved one, else language 2.
// The saved preference is read, never written.
class BatchLanguage
{
public:
    struct Outcome
    {
        bool loaded = false;      // the strings are there to be looked up
        bool unknownName = false; // the name asked for is none of the database's
        QStringList names;        // the database's languages, in its order
        QStringList faults;       // the database's faults, as the program words them
    };

    static constexpr int kDefaultLanguage = 2;

    // An unknown name still loads the database (in the language the run would otherwise
    // use), so that the refusal can be worded in it.
    static Outcome load(const QString& requestedName,
                        const QString& database = lang::LangRuntime::databasePath());

    // A language's number (1-based) by its name, in any letter case; 0 when none has it.
    static int numberOf(const QStringList& names, const QString& name);
};
