#include "ImageArea.h"

#include "CoverSetFile.h"
#include "Faces.h"
#include "LangRuntime.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFutureWatcher>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QTimer>
#include <QToolTip>
#include <QUrl>
#include <QtConcurrent/QtConcurrentRun>

#include "Picture.h"
#include "PictureMimeData.h"

namespace {

const QString kDragMark = QStringLiteral("application/x-orvella-image-area");

} // namespace

ImageArea::ImageArea(CoverSet* set, int face, QWidget* parent)
    : QFrame(parent), m_set(set), m_face(face), m_text(set, face)
{
    connect(m_set, &CoverSet::selectedTextChanged, this, [this] { update(); });
    connect(m_set, &CoverSet::positionChanged, this, [this] { update(); });
    connect(m_set, &CoverSet::faceChanged, this, [this](int changed) {
        if (changed != m_face)
            return;
        if (!m_copyOf.sameAs(picture()))
            m_screenCopy = QPixmap();
        update();
    });
    setObjectName(QString::fromLatin1(kFaces[face].imageArea));
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    setLineWidth(1);
    setAcceptDrops(true);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    // A click gives the face the keys that move and delete its selected text.
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(true);
}

ImageArea::~ImageArea() = default;

const platform::Picture& ImageArea::picture() const
{
    return m_set->face(m_face).picture();
}

bool ImageArea::hasPicture() const
{
    return m_set->face(m_face).hasPicture();
}

QString ImageArea::pictureSource() const
{
    return m_set->face(m_face).source();
}

void ImageArea::keepScreenCopy(const platform::Picture& picture, const QImage& screenCopy)
{
    if (picture.isNull() || screenCopy.isNull() || screenCopy.size() != screenCopySize())
        return;
    m_screenCopy = QPixmap::fromImage(screenCopy);
    m_screenCopy.setDevicePixelRatio(devicePixelRatioF());
    m_copyOf = picture;
}

QSize ImageArea::screenCopySize() const
{
    return faceRect().size() * devicePixelRatioF();
}

QRect ImageArea::faceRect() const
{
    const QRect area = contentsRect();
    if (!m_set->face(m_face).shape().round)
        return area;
    // A round label fills its square, as large as the area allows, in the area's middle.
    const int side = qMin(area.width(), area.height());
    return QRect(area.left() + (area.width() - side) / 2, area.top() + (area.height() - side) / 2,
                 side, side);
}

void ImageArea::paintRing(QPainter& painter) const
{
    const DiscShape& shape = m_set->face(m_face).shape();
    if (!shape.round)
        return;
    const QRectF label = faceRect();
    const QRectF hole = shape.holeIn(label);
    QPainterPath outside;
    outside.addRect(contentsRect());
    QPainterPath disc;
    disc.addEllipse(label);
    outside = outside.subtracted(disc);
    if (!hole.isEmpty())
        outside.addEllipse(hole);
    // What does not print is dimmed (text beyond the ring too, as paper clips it), and the
    // two cut lines drawn.
    QColor dim = palette().color(QPalette::Window);
    dim.setAlpha(200);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillPath(outside, dim);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(label);
    if (!hole.isEmpty())
        painter.drawEllipse(hole);
    painter.restore();
}

QPixmap ImageArea::screenCopy() const
{
    const platform::Picture& shown = picture();
    if (shown.isNull())
        return QPixmap();
    const qreal ratio = devicePixelRatioF();
    const QSize target = screenCopySize();
    if (target.isEmpty())
        return QPixmap();
    if (!m_screenCopy.isNull() && m_copyOf.sameAs(shown) && m_screenCopy.size() != target) {
        // A size change: the copy there is stretched at once, and the sharp one is made
        // beside the window, which stays responsive while a large photo decodes.
        m_screenCopy = m_screenCopy.scaled(target, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        m_screenCopy.setDevicePixelRatio(ratio);
        makeSharpCopy(shown, target);
    } else if (m_screenCopy.isNull() || !m_copyOf.sameAs(shown)) {
        m_screenCopy = QPixmap::fromImage(shown.scaledImage(target));
        m_screenCopy.setDevicePixelRatio(ratio);
        m_copyOf = shown;
    }
    return m_screenCopy;
}

void ImageArea::makeSharpCopy(const platform::Picture& shown, const QSize& target) const
{
    auto* self = const_cast<ImageArea*>(this);
    // The watcher goes with the area; a copy finished for an area that is gone is dropped.
    auto* watcher = new QFutureWatcher<QImage>(self);
    connect(watcher, &QFutureWatcherBase::finished, self, [self, watcher, shown, target] {
        const QImage sharp = watcher->result();
        watcher->deleteLater();
        // Stale when the picture or the size changed again meanwhile.
        if (sharp.isNull() || !self->m_copyOf.sameAs(shown) || self->screenCopySize() != target)
            return;
        self->m_screenCopy = QPixmap::fromImage(sharp);
        self->m_screenCopy.setDevicePixelRatio(self->devicePixelRatioF());
        self->update();
    });
    watcher->setFuture(QtConcurrent::run([shown, target] { return shown.scaledImage(target); }));
}

bool ImageArea::event(QEvent* event)
{
    // Text cut off at its box says so where it is drawn in red.
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (m_text.cutAt(help->pos(), faceRect()))
            QToolTip::showText(help->globalPos(), LangString(1540), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QFrame::event(event);
}

void ImageArea::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    const QPixmap copy = screenCopy();
    QPainter painter(this);
    if (!copy.isNull())
        painter.drawPixmap(faceRect().topLeft(), copy);
    m_text.paint(painter, faceRect());
    paintRing(painter);
}

void ImageArea::mousePressEvent(QMouseEvent* event)
{
    m_pressed = false;
    if (event->button() == Qt::LeftButton && m_text.press(event->position(), faceRect())) {
        update();
        event->accept();
        return;
    }
    m_pressed = event->button() == Qt::LeftButton;
    m_pressPos = event->position().toPoint();
    QFrame::mousePressEvent(event);
}

void ImageArea::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_text.release(event->position(), faceRect())) {
        update();
        event->accept();
        return;
    }
    m_pressed = false;
    QFrame::mouseReleaseEvent(event);
}

void ImageArea::keyPressEvent(QKeyEvent* event)
{
    if (m_text.key(event)) {
        event->accept();
        return;
    }
    QFrame::keyPressEvent(event);
}

void ImageArea::mouseMoveEvent(QMouseEvent* event)
{
    if (m_text.dragging()) {
        m_text.move(event->position(), faceRect());
        update();
        return;
    }
    setCursor(m_text.cursorAt(event->position(), faceRect()));
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
    if (picture().isNull())
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(dragMimeData());
    const QPixmap copy = screenCopy();
    if (!copy.isNull()) {
        const QPixmap thumbnail =
            copy.scaled(QSize(96, 96), Qt::KeepAspectRatio, Qt::SmoothTransformation);
        drag->setPixmap(thumbnail);
        drag->setHotSpot(QPoint(thumbnail.width() / 2, thumbnail.height() / 2));
    }
    drag->exec(Qt::CopyAction);
}

QMimeData* ImageArea::dragMimeData() const
{
    QMimeData* data = picture().isNull() ? new QMimeData : picture().toMimeData();
    data->setData(kDragMark, QByteArray::number(QCoreApplication::applicationPid()) + ':' +
                                 QByteArray::number(quintptr(this)));
    return data;
}

ImageArea* ImageArea::dragSource(const QMimeData* data, const QObject* source)
{
    if (auto* area = qobject_cast<ImageArea*>(const_cast<QObject*>(source)))
        return area;
    if (!data || !data->hasFormat(kDragMark))
        return nullptr;
    const QList<QByteArray> mark = data->data(kDragMark).split(':');
    if (mark.size() != 2 || mark[0].toLongLong() != QCoreApplication::applicationPid())
        return nullptr;
    // The mark is only ever looked up among the areas that exist now.
    const quintptr id = mark[1].toULongLong();
    const QList<QWidget*> widgets = QApplication::allWidgets();
    for (QWidget* widget : widgets) {
        if (quintptr(widget) == id)
            return qobject_cast<ImageArea*>(widget);
    }
    return nullptr;
}

QString ImageArea::lastDroppedFile(const QMimeData* data)
{
    if (!data)
        return QString();
    QList<QUrl> urls = data->urls();
    // A browser may hand over a local picture's address as text.
    if (urls.isEmpty() && data->hasText())
        urls.append(QUrl(data->text().trimmed()));
    if (urls.isEmpty() || !urls.last().isLocalFile())
        return QString();
    return urls.last().toLocalFile();
}

bool ImageArea::canTake(const QMimeData* data, const QObject* source)
{
    if (const ImageArea* area = dragSource(data, source))
        return area->objectName().startsWith(QLatin1String("img"));
    if (!data)
        return false;
    const QString file = lastDroppedFile(data);
    if (!file.isEmpty())
        return platform::isPictureFileName(file) || isCoverSetFileName(file);
    return platform::Picture::mimeHasPicture(data);
}

void ImageArea::dragEnterEvent(QDragEnterEvent* event)
{
    if (canTake(event->mimeData(), event->source()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void ImageArea::dragMoveEvent(QDragMoveEvent* event)
{
    if (canTake(event->mimeData(), event->source()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void ImageArea::dropEvent(QDropEvent* event)
{
    if (!canTake(event->mimeData(), event->source())) {
        event->ignore();
        return;
    }
    // The program the user dragged from waits until the drop returns: the drop is taken
    // at once, and what it starts (questions, loading) runs right after, on a copy of the
    // data, which goes with the drag.
    event->acceptProposedAction();
    const std::shared_ptr<const QMimeData> data(copyOf(event->mimeData()));
    const QPointer<ImageArea> source = dragSource(event->mimeData(), event->source());
    const bool fromArea = !source.isNull();
    QTimer::singleShot(0, this, [this, data, source, fromArea] {
        // A face that went away in the meantime gave nothing.
        if (fromArea && source.isNull())
            return;
        Q_EMIT dropped(data.get(), source.data());
    });
}

QMimeData* ImageArea::copyOf(const QMimeData* data)
{
    if (const auto* own = qobject_cast<const platform::PictureMimeData*>(data))
        return own->picture().toMimeData();
    auto* copy = new QMimeData;
    const QStringList formats = data->formats();
    for (const QString& format : formats)
        copy->setData(format, data->data(format));
    return copy;
}
