#include "ShellPreferences.h"

#include "AppInfo.h"
#include "FileTypeRegistration.h"
#include "ProgramFolder.h"
#include "Ui.h"
#include "frmCOnfig.h"

void showPreferences(QWidget* parent)
{
    frmCOnfig dialog(parent);
    platform::ui().execDialog(&dialog);
}

void registerCoverSetFileType()
{
    RegisterFileType(QStringLiteral("OVC"), platform::applicationTitle(), platform::programPath());
}
