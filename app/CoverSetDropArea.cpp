#include "CoverSetDropArea.h"

#include "CoverSetFile.h"
#include "ImageArea.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QWidget>

CoverSetDropArea::CoverSetDropArea(QWidget* viewport) : QObject(viewport), m_viewport(viewport)
{
    viewport->setAcceptDrops(true);
    viewport->installEventFilter(this);
}

bool CoverSetDropArea::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_viewport)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
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
        drop->acceptProposedAction();
        QTimer::singleShot(0, this, [this, path] { Q_EMIT coverSetDropped(path); });
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}
