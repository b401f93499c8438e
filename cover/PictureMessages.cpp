#include "PictureMessages.h"

#include "AppInfo.h"
#include "Faces.h"
#include "LangRuntime.h"
#include "Ui.h"

void tellPictureUnreadable(const FaceInfo& face)
{
    platform::ui().messageBox(LangString(face.loadFailedMessage), platform::applicationTitle(),
                              platform::MsgButtons::Ok, platform::MsgIcon::None);
}
