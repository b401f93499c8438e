#include "PictureMimeData.h"

#include <QBuffer>
#include <QImageWriter>

namespace platform {

namespace {

QByteArray encodeBmp(const QImage& image)
{
    QByteArray bytes;
    if (image.isNull())
        return bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "bmp");
    if (!writer.write(image))
        bytes.clear();
    return bytes;
}

} // namespace

PictureMimeData::PictureMimeData(const Picture& picture) : m_picture(picture) {}

QStringList PictureMimeData::formats() const
{
    switch (m_picture.kind()) {
    case Picture::Kind::Bitmap:
        return {QString::fromLatin1(QtImageType), QString::fromLatin1(BmpType)};
    case Picture::Kind::Metafile:
        return {
            QString::fromLatin1(m_picture.formatName() == QLatin1String("emf") ? EmfType : WmfType),
            QString::fromLatin1(QtImageType)};
    case Picture::Kind::None:
        break;
    }
    return {};
}

bool PictureMimeData::hasFormat(const QString& mimeType) const
{
    return formats().contains(mimeType);
}

const QImage& PictureMimeData::image() const
{
    if (m_image.isNull())
        m_image = m_picture.image();
    return m_image;
}

QVariant PictureMimeData::retrieveData(const QString& mimeType, QMetaType type) const
{
    Q_UNUSED(type);
    if (!hasFormat(mimeType))
        return QVariant();
    if (mimeType == QLatin1String(QtImageType))
        return QVariant(image());
    if (mimeType == QLatin1String(BmpType)) {
        if (m_picture.formatName() == QLatin1String("bmp"))
            return QVariant(m_picture.fileBytes());
        if (m_bmp.isEmpty())
            m_bmp = encodeBmp(image());
        return QVariant(m_bmp);
    }
    return QVariant(m_picture.fileBytes());
}

} // namespace platform
