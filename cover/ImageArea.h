#pragma once

#include "CoverSet.h"
#include "Picture.h"
#include "TextOverlay.h"

#include <QFrame>
#include <QMimeData>
#include <QPixmap>

// One face's image area: shows the face's picture stretched to the area, with a thin
// border, and the face's text over it (TextOverlay: selected, moved and resized here);
// starts a drag of itself; takes dropped files and pictures.
//
// The picture belongs to the face of the cover set (which keeps its file's bytes, not a
// full-size image); the area keeps one screen copy at its size, made again only when the
// size or the face's picture changes.
class QPainter;

class ImageArea : public QFrame
{
    Q_OBJECT

public:
    // Shows face `face` of `set`, which outlives the area (its window holds the set).
    ImageArea(CoverSet* set, int face, QWidget* parent);
    ~ImageArea() override;

    int face() const { return m_face; }
    const platform::Picture& picture() const;
    bool hasPicture() const;
    // The file the shown picture was loaded from; empty for a pasted or dragged picture.
    QString pictureSource() const;

    // A screen copy of `picture` made beforehand (at screenCopySize()) saves decoding it
    // again once the face shows that picture.
    void keepScreenCopy(const platform::Picture& picture, const QImage& screenCopy);

    // The size in device pixels a screen copy of the picture has.
    QSize screenCopySize() const;
    // Where the face is drawn: the whole area, or a round label's square in its middle.
    QRect faceRect() const;
    // The screen copy as painted (for tests and the drag's thumbnail).
    QPixmap screenCopy() const;

    // What a drag of this area carries: the picture for other programs, and a mark by which
    // the faces of this program know the area it came from.
    QMimeData* dragMimeData() const;
    // The image area a drag came from, when it came from one of this program's.
    static ImageArea* dragSource(const QMimeData* data, const QObject* source);

    // A copy of dropped data that outlives the drag; a face's picture is shared, not copied.
    static QMimeData* copyOf(const QMimeData* data);
    // The last of the dropped files, or "" when the data names no local file.
    static QString lastDroppedFile(const QMimeData* data);
    // Whether a drop can be used here: another image area, a picture or cover-set file, or
    // picture data.
    static bool canTake(const QMimeData* data, const QObject* source);

Q_SIGNALS:
    void popupRequested(const QPoint& globalPos);
    // Something this area can use was dropped on it; source is the dragged widget, if any.
    void dropped(const QMimeData* data, QObject* source);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // A round label's ring: outside and hole dimmed, its two cut lines.
    void paintRing(QPainter& painter) const;
    void startDrag();
    void makeSharpCopy(const platform::Picture& shown, const QSize& target) const;

    CoverSet* const m_set;
    const int m_face;
    mutable QPixmap m_screenCopy;
    mutable platform::Picture m_copyOf; // the picture m_screenCopy shows
    QPoint m_pressPos;
    bool m_pressed = false;
    TextOverlay m_text;
};
