// The language database load as the program runs it, from any bytes, with its questions
// (the load-error dialog, the language chooser) answered by the UI seam.
//
// Input: four bytes of circumstances, then the database file:
//   0  the current language number before the first load (signed: 0 unknown, -1 ask)
//   1  the chooser's answer, a list position (signed: -1 chooses none)
//   2  which of the first eight load-error questions are answered Retry (the rest Ignore)
//   3  the command line's language switch: none, or one of a few names
// After the first load, the Language command's reload runs too (number -1, the switch
// counts).
#include "FuzzBudget.h"
#include "FuzzScratch.h"
#include "FuzzUi.h"
#include "LangRuntime.h"
#include "ProgramFolder.h"
#include "Settings.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstdlib>
#include <limits>

namespace {

FuzzUi g_ui;

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz_langdb: %s\n", what);
        std::abort();
    }
}

QStringList switchFor(uint8_t selector)
{
    static const char* const names[] = {nullptr, "English", "Deutsch", "Espanol", "E", ""};
    const char* name = names[selector % std::size(names)];
    if (!name)
        return {QStringLiteral("set.ovc")};
    return {QStringLiteral("/L=") + QLatin1String(name), QStringLiteral("set.ovc")};
}

void lookUpSome()
{
    for (const int index : {1012, 0, 1356, 1357, -2, std::numeric_limits<int>::max()})
        LangString(index);
}

// What every load must leave behind, whatever the file held.
void checkAfterLoad(int questionsBefore)
{
    check(g_ui.busyDepth() == 0, "the busy cursor was left on");
    // One Abort ends the load: at most the bounded questions, the Abort and a fatal message.
    check(g_ui.questions() - questionsBefore <= FuzzUi::MaxQuestions + 2,
          "the load went on asking after Abort");
    check(lang::LangRuntime::instance().isLoaded(), "a load left the database unloaded");
    check(LangString(std::numeric_limits<int>::min()) == QLatin1String("Invalid Index"),
          "a negative number gave a text");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static int appArgc = *argc;
    static QCoreApplication app(appArgc, *argv);
    platform::setUi(&g_ui);
    lang::LangRuntime::instance().setDatabase(FuzzScratch::path(QStringLiteral("Spoken.DBF")));
    platform::setSettingsFileForTests(FuzzScratch::path(QStringLiteral("settings.ini")));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzBudget budget("fuzz_langdb", size);
    if (size < 4)
        return 0;
    const int current = int8_t(data[0]);
    const int chooserAnswer = int8_t(data[1]);
    FuzzScratch::write(FuzzScratch::path(QStringLiteral("Spoken.DBF")),
                       QByteArray(reinterpret_cast<const char*>(data + 4), qsizetype(size - 4)));
    g_ui.start(data[2]);

    lang::LangRuntime& runtime = lang::LangRuntime::instance();
    runtime.reset();
    runtime.setCommandLine(switchFor(data[3]));
    runtime.setCurrentLanguage(current);
    runtime.setChooser([chooserAnswer](const QStringList& names) {
        check(names.size() <= std::numeric_limits<qint16>::max(),
              "more languages than a count holds");
        return chooserAnswer;
    });

    lookUpSome();
    checkAfterLoad(0);

    const int questions = g_ui.questions();
    runtime.setCurrentLanguage(-1);
    check(LangString(-1).isEmpty(), "a reload returned a text");
    lookUpSome();
    checkAfterLoad(questions);
    return 0;
}
