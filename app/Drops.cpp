// Files dropped on the main window's own area, outside the document windows.
#include "mdiORVLA.h"

#include "CoverSetFile.h"
#include "ImageArea.h"
#include "clsCover.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMdiArea>
#include <QMimeData>
#include <QTimer>

bool mdiORVLA::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_mdi->viewport())
        return QMainWindow::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        // Only a cover-set file can be used here; pictures belong on a face.
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (isCoverSetFileName(ImageArea::lastDroppedFile(drag->mimeData())))
            drag->acceptProposedAction();
        else
            drag->ignore();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = ImageArea::lastDroppedFile(drop->mimeData());
        if (!isCoverSetFileName(path)) {
            drop->ignore();
            return true;
        }
        // Taken at once; the set (and any question it asks) opens right after, so the
        // program the file came from is not kept waiting.
        drop->acceptProposedAction();
        QTimer::singleShot(0, this, [this, path] { coverSetDropped(path); });
        return true;
    }
    default:
        return QMainWindow::eventFilter(watched, event);
    }
}

void mdiORVLA::coverSetDropped(const QString& path)
{
    ActiveCover = clsCover::create(this);
    ActiveCover->setFileCover(path);
    ActiveCover->LoadCover();
}
