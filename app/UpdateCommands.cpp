// Which document commands can be used: switched on and off for one document window at the
// moments the window reports.
#include "mdiORVLA.h"

#include "ImageArea.h"
#include "Picture.h"
#include "frmMenu.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QTabWidget>

void mdiORVLA::UpdateCommands(frmMenu* window, bool enable)
{
    // In the order they are set.
    QAction* const commands[] = {
        menuItem(QStringLiteral("mnuSave")),          menuItem(QStringLiteral("mnuSaveAs")),
        toolButton(QStringLiteral("SAVE")),           menuItem(QStringLiteral("mnuPrint")),
        toolButton(QStringLiteral("PRINT")),          menuItem(QStringLiteral("mnuPrintPreview")),
        menuItem(QStringLiteral("mnuInsertObject")),  toolButton(QStringLiteral("OBJECT")),
        menuItem(QStringLiteral("mnuDeletePicture")), menuItem(QStringLiteral("mnuInsertPicture")),
        toolButton(QStringLiteral("PICTURE")),        menuItem(QStringLiteral("mnuCopyClip")),
        menuItem(QStringLiteral("mnuPasteClip")),     toolButton(QStringLiteral("COPY")),
        toolButton(QStringLiteral("PASTE")),
    };
    for (QAction* command : commands)
        command->setEnabled(enable);
    if (!enable || !window)
        return;
    // A picture file copied in a file manager counts as that picture.
    const QMimeData* clipboard = QGuiApplication::clipboard()->mimeData();
    if (!platform::Picture::mimeHasPicture(clipboard) &&
        !platform::isPictureFileName(ImageArea::lastDroppedFile(clipboard))) {
        menuItem(QStringLiteral("mnuPasteClip"))->setEnabled(false);
        toolButton(QStringLiteral("PASTE"))->setEnabled(false);
    }
    const ImageArea* area = window->imageArea(window->SSTab1()->currentIndex());
    if (area && !area->hasPicture()) {
        menuItem(QStringLiteral("mnuCopyClip"))->setEnabled(false);
        toolButton(QStringLiteral("COPY"))->setEnabled(false);
    }
}
