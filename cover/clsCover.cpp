#include "clsCover.h"

#include "AppInfo.h"
#include "CoverHost.h"
#include "ImageArea.h"
#include "LangRuntime.h"
#include "Picture.h"
#include "Ui.h"
#include "frmMenu.h"

#include <QMdiArea>
#include <QMdiSubWindow>

std::shared_ptr<clsCover> clsCover::create()
{
    return std::shared_ptr<clsCover>(new clsCover());
}

void clsCover::NewCover()
{
    for (int face = 0; face < kFaceCount; ++face)
        setFilePicture(face, QString());
    setFileCover(QString());
    LoadFrmCover();
}

namespace {

// A document window inside the main window's document area, sized to its fixed client area.
frmMenu* createWindow()
{
    auto* window = new frmMenu;
    CoverHost* host = coverHost();
    QMdiArea* area = host ? host->documentArea() : nullptr;
    if (!area) {
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
        return window;
    }
    QMdiSubWindow* frame = area->addSubWindow(
        window, Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                    Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setWindowIcon(QIcon(QStringLiteral(":/icons/orvella-document.svg")));
    frame->show();
    frame->adjustSize();
    frame->setFixedSize(frame->size());
    return window;
}

} // namespace

// Shows the set's current state in its window, creating the window the first time.
void clsCover::LoadFrmCover()
{
    if (!m_frmCover)
        m_frmCover = createWindow();
    frmMenu* window = m_frmCover.data();
    window->setWindowTitle(m_fileCover.isEmpty() ? LangString(1338) : m_fileCover);
    for (const FaceInfo& face : kFaces) {
        ImageArea* area = window->imageArea(face.index);
        const QString path = m_filePicture[face.index];
        if (path.isEmpty()) {
            area->clearPicture();
            continue;
        }
        platform::Picture picture;
        {
            platform::BusyCursor busy;
            picture = platform::Picture::fromFile(path);
        }
        if (picture.isNull()) {
            platform::ui().messageBox(LangString(face.loadFailedMessage),
                                      platform::applicationTitle(), platform::MsgButtons::Ok,
                                      platform::MsgIcon::None);
            area->clearPicture();
            continue;
        }
        area->setPicture(picture, path);
    }
}
