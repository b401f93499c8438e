#include "BitmapDecoder.h"

#include "BitmapIntegrity.h"
#include "Metafile.h"
#include "Picture.h"

#include <QBuffer>
#include <QImageIOHandler>
#include <QImageReader>

namespace platform {

namespace {

// Decoding a small picture once while loading catches damage that the file's structure
// does not show; a large one (a camera photo) is only checked structurally, so opening it
// costs no more than its screen copy.
constexpr qint64 TrialDecodePixels = 4LL * 1000 * 1000;
// A picture whose header does not tell its size is decoded to learn it only when small.
constexpr qint64 MaxUnsizedBytes = 4LL * 1024 * 1024;
// Icon files list at most a handful of images; more is not an icon worth searching.
constexpr int MaxIconImages = 64;

// Qt's default refuses a 50-megapixel photo; the limit is raised to what the size check
// lets through. It is process-wide, and only this subsystem reads pictures.
void ensureAllocationLimit()
{
    static const bool set = [] {
        QImageReader::setAllocationLimit(int(Picture::MaxPixels * 4 / (1024 * 1024)) + 64);
        return true;
    }();
    Q_UNUSED(set);
}

// A reader over its own buffer sharing the bytes (no copy).
class Reader
{
public:
    Reader(const QByteArray& bytes, const QByteArray& format)
    {
        m_buffer.setData(bytes);
        m_buffer.open(QIODevice::ReadOnly);
        m_reader.setDevice(&m_buffer);
        if (format.isEmpty())
            m_reader.setDecideFormatFromContent(true);
        else
            m_reader.setFormat(format);
        m_reader.setAutoTransform(true);
    }

    QImageReader& operator*() { return m_reader; }
    QImageReader* operator->() { return &m_reader; }

    bool rotated() const
    {
        return m_reader.transformation() & QImageIOHandler::TransformationRotate90;
    }
    // The size as shown, or invalid when the header does not tell it.
    QSize shownSize() const
    {
        QSize size = m_reader.size();
        if (size.isValid() && rotated())
            size.transpose();
        return size;
    }

private:
    QBuffer m_buffer;
    QImageReader m_reader;
};

qint64 pixels(const QSize& size)
{
    return qint64(size.width()) * size.height();
}

QByteArray identify(const QByteArray& bytes, const QByteArray& fallbackFormat)
{
    {
        Reader byContent(bytes, QByteArray());
        if (byContent->canRead())
            return byContent->format();
    }
    if (!fallbackFormat.isEmpty()) {
        Reader byFallback(bytes, fallbackFormat);
        if (byFallback->canRead())
            return fallbackFormat;
    }
    return QByteArray();
}

} // namespace

bool BitmapDecoder::sizeAllowed(const QSize& size)
{
    return size.width() > 0 && size.height() > 0 && size.width() <= Picture::MaxSide &&
           size.height() <= Picture::MaxSide && pixels(size) <= Picture::MaxPixels;
}

bool BitmapDecoder::looksLikePicture(const QByteArray& head)
{
    if (Metafile::detect(head) != Metafile::Type::None)
        return true;
    Reader reader(head, QByteArray());
    return reader->canRead();
}

BitmapDecoder::Probe BitmapDecoder::probe(const QByteArray& bytes, const QByteArray& fallbackFormat)
{
    ensureAllocationLimit();
    Probe result;
    if (bytes.isEmpty() || bytes.size() > Picture::MaxFileBytes)
        return result;
    const QByteArray format = identify(bytes, fallbackFormat);
    if (format.isEmpty())
        return result;

    Reader reader(bytes, format);
    QSize size = reader.shownSize();
    int index = 0;
    if (format == "ico") {
        const int count = qMin(reader->imageCount(), MaxIconImages);
        for (int i = 1; i < count && reader->jumpToImage(i); ++i) {
            const QSize candidate = reader.shownSize();
            if (pixels(candidate) > pixels(size)) {
                size = candidate;
                index = i;
            }
        }
    }

    bool decoded = false;
    if (!size.isValid()) {
        if (bytes.size() > MaxUnsizedBytes)
            return result;
        const QImage image = decode(bytes, format, index);
        if (image.isNull())
            return result;
        size = image.size();
        decoded = true;
    }
    if (!sizeAllowed(size) || !isBitmapComplete(format, bytes))
        return result;
    if (!decoded && pixels(size) <= TrialDecodePixels && decode(bytes, format, index).isNull())
        return result;

    result.format = format;
    result.size = size;
    result.imageIndex = index;
    result.ok = true;
    return result;
}

QImage BitmapDecoder::decode(const QByteArray& bytes, const QByteArray& format, int imageIndex,
                             const QSize& scaledTo)
{
    ensureAllocationLimit();
    const bool scaled = scaledTo.isValid();
    if (scaled && !sizeAllowed(scaledTo))
        return QImage();
    Reader reader(bytes, format);
    if (imageIndex > 0 && !reader->jumpToImage(imageIndex))
        return QImage();
    if (scaled && reader->supportsOption(QImageIOHandler::ScaledSize))
        reader->setScaledSize(reader.rotated() ? scaledTo.transposed() : scaledTo);
    QImage image = reader->read();
    if (!image.isNull() && scaled && image.size() != scaledTo)
        image = image.scaled(scaledTo, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

} // namespace platform
