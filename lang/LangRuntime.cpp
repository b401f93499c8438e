#include "LangRuntime.h"

#include "AppInfo.h"
#include "LangLoader.h"
#include "ProgramFolder.h"
#include "Settings.h"
#include "Ui.h"

namespace lang {

// Answers the load's questions with the program's message boxes and the chooser.
class RuntimeHost final : public LoadHost
{
public:
    explicit RuntimeHost(LangRuntime& runtime) : m_runtime(runtime) {}

    // The load stops after either; the runtime then reports that the program must end.
    void fatal(const QString& message) override
    {
        platform::ui().messageBox(message, platform::applicationTitle(), platform::MsgButtons::Ok,
                                  platform::MsgIcon::Critical);
    }

    Answer loadError(LoadError error) override
    {
        switch (platform::ui().messageBox(loadErrorMessage(error), QStringLiteral("LangString()"),
                                          platform::MsgButtons::AbortRetryIgnore,
                                          platform::MsgIcon::Exclamation)) {
        case platform::MsgResult::Retry:
            return Answer::Retry;
        case platform::MsgResult::Ignore:
            return Answer::Ignore;
        default:
            return Answer::Abort;
        }
    }

    int chooseLanguage(const QStringList& names) override
    {
        return m_runtime.m_chooser ? m_runtime.m_chooser(names) : -1;
    }

    QString commandLine() override { return m_runtime.m_commandLine.join(QLatin1Char(' ')); }

    void languageChosen(int number) override
    {
        m_runtime.m_currentLanguage = qint16(number);
        if (!m_runtime.m_savesChoice)
            return;
        platform::SaveSetting(platform::applicationTitle(), QStringLiteral("Preferences"),
                              QStringLiteral("Language"), QString::number(number));
    }

    void setBusy(bool busy) override { platform::ui().setBusy(busy); }
    void setNormalCursor() override { platform::ui().setNormalCursor(); }

private:
    LangRuntime& m_runtime;
};

LangRuntime& LangRuntime::instance()
{
    static LangRuntime runtime;
    return runtime;
}

QString LangRuntime::databasePath()
{
    const QString& chosen = instance().m_database;
    return chosen.isEmpty() ? platform::programFile(QStringLiteral("Spoken.DBF")) : chosen;
}

void LangRuntime::load()
{
    // A lookup made while the load itself asks a question gets no text rather than
    // starting a second load.
    if (m_loading)
        return;
    m_loading = true;
    RuntimeHost host(*this);
    LangLoader::Result result = LangLoader::load(databasePath(), m_currentLanguage, host);
    // A load that failed leaves the language in use before it for the last questions; at
    // the first load, whatever it read before it stopped is better than nothing.
    if (result.completed || !m_loaded) {
        m_table = std::move(result.table);
        const int chosen = result.chosen;
        m_languageName =
            chosen >= 1 && chosen <= result.names.size() ? result.names.at(chosen - 1) : QString();
    }
    m_mustEnd = !result.completed;
    m_loaded = true;
    m_loading = false;
}

QString LangRuntime::lookup(int index)
{
    if (!m_mustEnd && (!m_loaded || index == -1))
        load();
    if (index == -1)
        return QString();
    if (index < 0 || index >= m_table.size())
        return QStringLiteral("Invalid Index");
    return m_table.at(index);
}

void LangRuntime::reset()
{
    m_table.clear();
    m_commandLine.clear();
    m_languageName.clear();
    m_currentLanguage = 0;
    m_loaded = false;
    m_loading = false;
    m_mustEnd = false;
    m_savesChoice = true;
}

} // namespace lang

QString LangString(int index)
{
    return lang::LangRuntime::instance().lookup(index);
}
