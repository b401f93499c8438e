#pragma once

#include "Picture.h"

#include <QFrame>
#include <QPixmap>

// One face's image area: shows the face's picture stretched to the area, with a thin
// border; starts a drag of itself; takes dropped files and pictures.
//
// The area keeps the picture itself (which keeps its file's bytes, not a full-size image)
// and one screen copy at the area's size, made again only when the size changes.
class ImageArea : public QFrame
{
    Q_OBJECT

public:
    ImageArea(int face, QWidget* parent);

    int face() const { return m_face; }
    const platform::Picture& picture() const { return m_picture; }
    bool hasPicture() const { return !m_picture.isNull(); }
    // The file the shown picture was loaded from; empty for a pasted or dragged picture.
    QString pictureSource() const { return m_source; }

    void setPicture(const platform::Picture& picture, const QString& sourcePath = QString());
    void clearPicture();
    // The shown picture has just been written to this file, which is now its own.
    void setPictureSource(const QString& path) { m_source = path; }

    // The screen copy as painted (for tests and the drag's thumbnail).
    QPixmap screenCopy() const;

Q_SIGNALS:
    void popupRequested(const QPoint& globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void startDrag();

    const int m_face;
    platform::Picture m_picture;
    QString m_source;
    mutable QPixmap m_screenCopy;
    QPoint m_pressPos;
    bool m_pressed = false;
};
