#include "BatchLanguage.h"

#include "AppInfo.h"
#include "LangLoader.h"
#include "LangRuntime.h"
#include "Settings.h"
#include "Ui.h"

#include <limits>

namespace {

// Reads the database's languages once, answering its questions with the choice already
// made: the chooser is never shown, a load error stops the reading.
class ProbeHost final : public lang::LoadHost
{
public:
    explicit ProbeHost(const QString& requested) : m_requested(requested) {}

    QStringList faults;
    int chosen = 0;

    void fatal(const QString& message) override { faults.append(message); }
    Answer loadError(lang::LoadError error) override
    {
        faults.append(lang::loadErrorMessage(error));
        return Answer::Abort;
    }
    int chooseLanguage(const QStringList& names) override
    {
        chosen = choose(names);
        return chosen - 1;
    }
    QString commandLine() override { return QString(); }
    void languageChosen(int) override {}

    // The language number for these names (1-based).
    int choose(const QStringList& names) const
    {
        if (const int named = BatchLanguage::numberOf(names, m_requested))
            return named;
        const int saved = savedLanguage();
        if (saved >= 1 && saved <= names.size())
            return saved;
        return qMin(BatchLanguage::kDefaultLanguage, int(names.size()));
    }

private:
    // The program's saved language number; 0 when none is saved or it is no 16-bit number.
    static int savedLanguage()
    {
        const QString text =
            platform::GetSetting(platform::applicationTitle(), QStringLiteral("Preferences"),
                                 QStringLiteral("Language"), QString());
        bool ok = false;
        const qint64 number = lang::leadingNumber(text, &ok, std::numeric_limits<qint16>::min(),
                                                  std::numeric_limits<qint16>::max());
        return ok ? int(number) : 0;
    }

    QString m_requested;
};

} // namespace

int BatchLanguage::numberOf(const QStringList& names, const QString& name)
{
    if (name.isEmpty())
        return 0;
    for (int i = 0; i < names.size(); ++i) {
        if (names[i].trimmed().compare(name.trimmed(), Qt::CaseInsensitive) == 0)
            return i + 1;
    }
    return 0;
}

BatchLanguage::Outcome BatchLanguage::load(const QString& requestedName, const QString& database)
{
    Outcome outcome;
    // The header first, to know the names; -1 makes the reading ask for the choice, which
    // is made here rather than by a person.
    ProbeHost probe(requestedName);
    const lang::LangLoader::Result header = lang::LangLoader::load(database, -1, probe);
    outcome.names = header.names;
    outcome.unknownName = !requestedName.isEmpty() && numberOf(header.names, requestedName) == 0;
    if (!probe.faults.isEmpty()) {
        outcome.faults = probe.faults;
        return outcome;
    }
    // A database of a single language takes that one without asking.
    const int number = probe.chosen > 0 ? probe.chosen : qMax(1, header.chosen);

    lang::LangRuntime& runtime = lang::LangRuntime::instance();
    runtime.reset();
    runtime.setDatabase(database);
    runtime.setCurrentLanguage(number);
    runtime.setChooser([](const QStringList&) { return -1; });
    runtime.setSavesChoice(false);
    LangString(1); // the load itself; its faults arrive as the UI seam's messages
    outcome.loaded = !runtime.mustEnd();
    return outcome;
}
