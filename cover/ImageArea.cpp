#include "ImageArea.h"

#include "Faces.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QMimeData>
#include <QPainter>

ImageArea::ImageArea(int face, QWidget* parent) : QFrame(parent), m_face(face)
{
    setObjectName(QString::fromLatin1(kFaces[face].imageArea));
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    setLineWidth(1);
    setAcceptDrops(true);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void ImageArea::setPicture(const platform::Picture& picture, const QString& sourcePath)
{
    m_picture = picture;
    m_source = picture.isNull() ? QString() : sourcePath;
    m_screenCopy = QPixmap();
    update();
}

void ImageArea::clearPicture()
{
    setPicture(platform::Picture());
}

QPixmap ImageArea::screenCopy() const
{
    if (m_picture.isNull())
        return QPixmap();
    const qreal ratio = devicePixelRatioF();
    const QSize target = contentsRect().size() * ratio;
    if (target.isEmpty())
        return QPixmap();
    if (m_screenCopy.isNull() || m_screenCopy.size() != target) {
        m_screenCopy = QPixmap::fromImage(m_picture.scaledImage(target));
        m_screenCopy.setDevicePixelRatio(ratio);
    }
    return m_screenCopy;
}

void ImageArea::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    const QPixmap copy = screenCopy();
    if (copy.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(contentsRect().topLeft(), copy);
}

void ImageArea::resizeEvent(QResizeEvent* event)
{
    m_screenCopy = QPixmap();
    QFrame::resizeEvent(event);
}

void ImageArea::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
    m_pressPos = event->position().toPoint();
    QFrame::mousePressEvent(event);
}

void ImageArea::mouseMoveEvent(QMouseEvent* event)
{
    if (m_pressed && (event->buttons() & Qt::LeftButton) &&
        (event->position().toPoint() - m_pressPos).manhattanLength() >=
            QApplication::startDragDistance()) {
        m_pressed = false;
        startDrag();
        return;
    }
    QFrame::mouseMoveEvent(event);
}

void ImageArea::contextMenuEvent(QContextMenuEvent* event)
{
    Q_EMIT popupRequested(event->globalPos());
    event->accept();
}

// Other faces recognise the drag by its source; other programs get the picture itself.
void ImageArea::startDrag()
{
    if (m_picture.isNull())
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(m_picture.toMimeData());
    const QPixmap copy = screenCopy();
    if (!copy.isNull()) {
        const QPixmap thumbnail =
            copy.scaled(QSize(96, 96), Qt::KeepAspectRatio, Qt::SmoothTransformation);
        drag->setPixmap(thumbnail);
        drag->setHotSpot(QPoint(thumbnail.width() / 2, thumbnail.height() / 2));
    }
    drag->exec(Qt::CopyAction);
}
