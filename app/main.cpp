#include "LangRuntime.h"
#include "ProgramFolder.h"
#include "WidgetUi.h"
#include "frmLanguage.h"
#include "mdiORVLA.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

namespace {

const char kUsage[] =
    "Usage: orvella [/L=LANGUAGE] [SET.ovc]\n"
    "       orvella --help | --version\n"
    "Makes the paper inserts of a CD jewel case and the label of the disc.\n"
    "\n"
    "  SET.ovc       the cover set to open at start; every argument that is not a\n"
    "                /L= switch belongs to its path, joined by single blanks\n"
    "  /L=LANGUAGE   the language the File menu's Language command switches to\n"
    "                without asking, by its name in the language database\n"
    "                (English, Espanol, Francais, Deutsch)\n"
    "  --help        show this text and exit\n"
    "  --version     show the version and exit\n"
    "\n"
    "orvella-batch prints a cover set to PDF or PNG without a display.\n";

// --help and --version answer before any window or the language database is touched, so
// they work in a terminal with no display. Only the lone switch counts: anything else on
// the command line is a cover set's path as it always was (a file really called
// "--help" opens as ./--help).
int answerInTerminal(int argc, char* argv[])
{
    if (argc != 2)
        return -1;
    if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("orvella %d.%d.%d.%d\n", ORVELLA_VERSION_MAJOR, ORVELLA_VERSION_MINOR,
                    ORVELLA_VERSION_BUILD, ORVELLA_VERSION_REVISION);
        return 0;
    }
    if (std::strcmp(argv[1], "--help") == 0) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    return -1;
}

} // namespace

int main(int argc, char* argv[])
{
    if (const int answered = answerInTerminal(argc, argv); answered >= 0)
        return answered;

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("ORVLA"));
    QApplication::setApplicationName(QStringLiteral("ORVLA"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/orvella.svg")));
    // The desktop entry the program is installed and registered under, by which a Wayland
    // desktop finds the window's icon and name.
    QGuiApplication::setDesktopFileName(QStringLiteral("orvella"));

    platform::WidgetUi ui;
    platform::setUi(&ui);
    const QStringList arguments = QApplication::arguments().mid(1);
    lang::LangRuntime::instance().setCommandLine(arguments);
    lang::LangRuntime::instance().setChooser(&frmLanguage::ask);

    mdiORVLA window(arguments);
    window.show();
    return app.exec();
}
