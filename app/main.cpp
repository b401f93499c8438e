#include "LangRuntime.h"
#include "ProgramFolder.h"
#include "WidgetUi.h"
#include "frmLanguage.h"
#include "mdiORVLA.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("ORVLA"));
    QApplication::setApplicationName(QStringLiteral("ORVLA"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/orvella.svg")));

    platform::WidgetUi ui;
    platform::setUi(&ui);
    platform::setCommandLineArguments(QApplication::arguments().mid(1));
    lang::LangRuntime::instance().setChooser(&frmLanguage::ask);

    mdiORVLA window;
    window.show();
    return app.exec();
}
