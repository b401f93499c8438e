#include "ShellPreferences.h"

#include "AppInfo.h"
#include "FileTypeRegistration.h"
#include "LangRuntime.h"
#include "Picture.h"
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

bool mayHandToDesktop(const QString& path)
{
    bool picture = false;
    {
        platform::BusyCursor busy;
        picture = !platform::Picture::fromFile(path).isNull();
    }
    if (!picture) {
        platform::ui().messageBox(LangString(1382) + QStringLiteral("\r\n") + path,
                                  platform::applicationTitle(), platform::MsgButtons::Ok,
                                  platform::MsgIcon::Exclamation);
    }
    return picture;
}
