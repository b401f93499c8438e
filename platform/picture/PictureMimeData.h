#pragma once

#include "Picture.h"

#include <QMimeData>

namespace platform {

// A picture on the clipboard or in a drag, in its own kind. Pixels and encoded bytes are
// made only when a reader asks for a format, so copying a large photo costs nothing until
// it is pasted, and once made they are kept for the next request. Pasting inside the
// program gets the very same picture back.
class PictureMimeData : public QMimeData
{
    Q_OBJECT

public:
    static constexpr const char* QtImageType = "application/x-qt-image";
    static constexpr const char* BmpType = "image/bmp";
    static constexpr const char* WmfType = "image/x-wmf";
    static constexpr const char* EmfType = "image/x-emf";

    explicit PictureMimeData(const Picture& picture);

    const Picture& picture() const { return m_picture; }

    QStringList formats() const override;
    bool hasFormat(const QString& mimeType) const override;

protected:
    const QImage& image() const;
    QVariant retrieveData(const QString& mimeType, QMetaType type) const override;

private:
    Picture m_picture;
    // Made at the first request and kept: a clipboard asks again for every paste.
    mutable QImage m_image;
    mutable QByteArray m_bmp;
};

} // namespace platform
