#include "DatabaseCheck.h"
#include "OffsetFixer.h"
#include "StringDump.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

namespace {

const char kUsage[] =
    "Usage: orvella-lang COMMAND FILE [LANGUAGE]\n"
    "Tools for the translators of Orvella's language database (Spoken.DBF).\n"
    "\n"
    "  check FILE          report every fault the program would meet loading FILE, in\n"
    "                      each language, one line per fault; the program's own\n"
    "                      messages go to the error stream\n"
    "  fix-offsets FILE    set each LanguageNStart to the exact position of its section,\n"
    "                      keeping the rest of FILE byte for byte\n"
    "  dump FILE LANGUAGE  print the texts of one language (a number 1..N or its name)\n"
    "                      as number<TAB>text, with \\r, \\n and \\\\ escaped; the\n"
    "                      program's messages about the load go to the error stream\n"
    "\n"
    "Exit status: 0 success, 1 faults in FILE (any message the program would show\n"
    "while loading it counts), 2 wrong arguments.\n";

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("orvella-lang"));

    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments().mid(1);
    const QString command = args.value(0);

    int status = 2;
    if (args.size() == 1 &&
        (command == QLatin1String("--help") || command == QLatin1String("-h"))) {
        out << kUsage;
        status = 0;
    } else if (args.size() == 2 && command == QLatin1String("check")) {
        status = langtool::DatabaseCheck::run(args.at(1), out, err);
    } else if (args.size() == 2 && command == QLatin1String("fix-offsets")) {
        status = langtool::OffsetFixer::run(args.at(1), out, err);
    } else if (args.size() == 3 && command == QLatin1String("dump")) {
        status = langtool::StringDump::run(args.at(1), args.at(2), out, err);
    } else {
        err << kUsage;
    }
    out.flush();
    err.flush();
    return status;
}
