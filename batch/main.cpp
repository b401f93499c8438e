// orvella-batch: a cover set's sheets to PDF or PNG, with no display and no questions.
#include "BatchJob.h"
#include "BatchLanguage.h"
#include "BatchOptions.h"
#include "BatchStrings.h"
#include "BatchUi.h"
#include "Diagnostics.h"
#include "LangRuntime.h"
#include "ProgramFolder.h"

#include <QElapsedTimer>
#include <QGuiApplication>

#include <cstdio>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

// The shipped database, as built into the tool (batch.qrc).
const QString kBuiltInDatabase = QStringLiteral(":/orvella-batch/Spoken.DBF");

void toStream(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

void sayOnStderr(const QString& line)
{
    toStream(stderr, line + QLatin1Char('\n'));
}

QString versionText()
{
    return Diagnostics::programName() + QStringLiteral(" %1.%2.%3.%4\n")
                                            .arg(ORVELLA_VERSION_MAJOR)
                                            .arg(ORVELLA_VERSION_MINOR)
                                            .arg(ORVELLA_VERSION_BUILD)
                                            .arg(ORVELLA_VERSION_REVISION);
}

// Qt's own chatter (a runtime folder it had to make up, a font it substituted) is no concern
// of someone printing a set; its real failures still reach stderr.
void quietQt(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        sayOnStderr(Diagnostics::programName() + QLatin1String(": ") + message);
}

} // namespace

int main(int argc, char** argv)
{
    QElapsedTimer clock;
    clock.start();
#ifdef __GLIBC__
    // A photo's buffers are large and short-lived. glibc would raise its threshold for
    // mapping memory to the largest block freed so far and keep every later one of that
    // size in its heaps, per thread: four photos then cost the peak of all of them.
    mallopt(M_MMAP_THRESHOLD, 1024 * 1024);
#endif
    qInstallMessageHandler(quietQt);
    // Fonts and painting need a GUI application, but there is nothing to show and perhaps
    // no display at all; a platform the user chose is respected.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();

    const ParsedOptions parsed = parseBatchOptions(arguments);
    if (parsed.options.version) {
        toStream(stdout, versionText());
        return BatchJob::Done;
    }

    BatchUi ui;
    BatchLanguage::Outcome language = BatchLanguage::load(parsed.options.language);
    if (!language.loaded) {
        const QStringList faults = language.faults + ui.takeMessages();
        if (!parsed.options.help && !parsed.error) {
            for (const QString& fault : faults) {
                sayOnStderr(Diagnostics::line(
                    lang::LangRuntime::databasePath(),
                    QString(fault).replace(QLatin1String("\r\n"), QLatin1String(" "))));
            }
            return BatchJob::LanguageDatabase;
        }
        // Usage and a bad command line are answered whatever the database: in the words of
        // the copy built into the tool.
        language = BatchLanguage::load(parsed.options.language, kBuiltInDatabase);
    }
    if (parsed.options.help) {
        toStream(stdout, Diagnostics::block(BatchString::Usage));
        return BatchJob::Done;
    }
    if (parsed.error) {
        QString text = Diagnostics::text(parsed.error->message);
        if (!parsed.error->argument.isEmpty())
            text = text.arg(parsed.error->argument);
        sayOnStderr(Diagnostics::line(QString(), text, parsed.error->detail));
        return BatchJob::BadArguments;
    }
    if (language.unknownName) {
        sayOnStderr(Diagnostics::line(QString(), Diagnostics::text(BatchString::UnknownLanguage),
                                      parsed.options.language + QLatin1String(" (") +
                                          language.names.join(QLatin1String(", ")) +
                                          QLatin1Char(')')));
        return BatchJob::BadArguments;
    }

    BatchJob job(parsed.options, sayOnStderr, clock);
    const int exitCode = job.run();
    // Anything the libraries wanted to show the user belongs on stderr too.
    const QStringList late = ui.takeMessages();
    for (const QString& message : late)
        sayOnStderr(Diagnostics::line(QString(), message));
    return exitCode;
}
