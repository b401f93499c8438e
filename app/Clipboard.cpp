// Copy and Paste of the current face's picture through the system clipboard.
#include "mdiORVLA.h"

#include "ImageArea.h"
#include "Picture.h"
#include "clsCover.h"
#include "frmMenu.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTabWidget>

namespace {

ImageArea* currentFace(const std::shared_ptr<clsCover>& cover)
{
    frmMenu* window = cover ? cover->frmCover() : nullptr;
    return window ? window->imageArea(window->SSTab1()->currentIndex()) : nullptr;
}

} // namespace

// The picture goes onto the clipboard in its own kind; an empty face leaves the clipboard
// as it was.
void mdiORVLA::mnuCopyClip_Click()
{
    const ImageArea* area = currentFace(ActiveCover);
    if (!area || !area->hasPicture())
        return;
    QGuiApplication::clipboard()->setMimeData(area->picture().toMimeData());
}

// The clipboard's picture replaces the face's; the face's file stays named, and the set
// counts as changed whatever the clipboard held.
void mdiORVLA::mnuPasteClip_Click()
{
    if (!ActiveCover)
        return;
    if (ImageArea* area = currentFace(ActiveCover)) {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        // A picture file copied in a file manager: the face takes the file, as if dropped.
        const QString file = ImageArea::lastDroppedFile(data);
        if (!platform::Picture::mimeHasPicture(data) && platform::isPictureFileName(file)) {
            ActiveCover->frmCover()->takePictureFile(area->face(), file);
            return;
        }
        const platform::Picture picture = platform::Picture::fromMimeData(data);
        if (!picture.isNull()) {
            CoverSet& set = ActiveCover->set();
            const Face before = set.face(area->face());
            area->setPicture(picture);
            set.recordFaceChange(area->face(), before);
        }
    }
    ActiveCover->setNeedSave(true);
    if (frmMenu* window = ActiveCover->frmCover())
        UpdateCommands(window, true);
}
