#include "BitmapDecoder.h"

#include "BitmapIntegrity.h"
#include "BmpNormalizer.h"
#include "DecodeGate.h"
#include "Metafile.h"
#include "Picture.h"

#include <QBuffer>
#include <QImageIOHandler>
#include <QImageReader>

#include <optional>

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
// No codec packs more pixels than this into a byte of a real picture (a blank fax page at
// 600 dpi comes to about 40000); a tiny file claiming a vast picture only costs the time
// and memory of decoding nothing.
constexpr qint64 MaxPixelsPerByte = 100000;
// LZW codes grow to 12 bits, and each table entry is one pixel longer than an earlier one, so
// a code stands for at most about 4090 pixels: 2730 a byte, for a flat picture coded with a
// full table that is never cleared.
constexpr qint64 MaxGifPixelsPerByte = 2730;
constexpr qint64 GifFreeScreenPixels = 1000LL * 1000;
constexpr qint64 ClaimCheckPixels = 16LL * 1000 * 1000;
// What a picture may cost in memory before it is shown: this much, and so many bytes for
// each byte of its file.
constexpr qint64 BaseDecodeBytes = 64LL * 1024 * 1024;
constexpr qint64 DecodeBytesPerFileByte = 16;
// The size of screen copy the cost of showing a picture is judged by (a face's on screen).
const QSize ScreenCopyCheck(512, 512);

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

// The pixels a decode works on. Qt's GIF reader paints every frame onto a canvas of the
// file's logical screen, however small the image on it: a 9 x 769 picture on a screen of
// 4128 x 10062 costs 170 MB and seconds.
QSize canvasSize(const QByteArray& format, const QByteArray& bytes, const QSize& size)
{
    if (format != "gif" || bytes.size() < 10 || !size.isValid())
        return size;
    const auto* b = reinterpret_cast<const uchar*>(bytes.constData());
    const QSize screen(b[6] | b[7] << 8, b[8] | b[9] << 8);
    return screen.expandedTo(size);
}

// What Qt's reader is handed: bitmaps put in order first (see BmpNormalizer.h), everything
// else as it is. Nothing when the bytes must not reach the reader at all.
struct Source
{
    QByteArray bytes;
    QByteArray format;
};

std::optional<Source> readable(const QByteArray& bytes, const QByteArray& format)
{
    if (format != "bmp" && format != "dib")
        return Source{bytes, format};
    const std::optional<QByteArray> normal = normalizedBmp(bytes, format == "bmp");
    if (!normal)
        return std::nullopt;
    // A rewritten bitmap always has its file header.
    const bool rewritten = normal->constData() != bytes.constData();
    return Source{*normal, rewritten ? QByteArray("bmp") : format};
}

// The bytes a decode holds at its peak, as far as its header tells.
qint64 decodeCost(const QSize& full, const Source& source, const QSize& scaledTo)
{
    const qint64 whole = full.isValid() ? pixels(full) : qint64(source.bytes.size()) * 4;
    const qint64 target = scaledTo.isValid() ? pixels(scaledTo) * 4 : 0;
    if (source.format == "jpeg" && scaledTo.isValid()) {
        // Scaled inside the codec; a progressive or many-scan file still keeps every
        // coefficient.
        const int coefficients = jpegCoefficientBytesPerPixel(source.bytes);
        return target + (coefficients > 0 ? whole * coefficients : whole / 16);
    }
    return whole * 4 + target;
}

// What showing a picture holds at once: its screen copy's decode, and the plain bitmap a
// damaged or run-length one is rewritten to. It must fit in what the file's size allows:
// a few bytes claiming a vast picture are refused before anything is decoded.
bool showingFits(const QSize& canvas, const Source& source, const QByteArray& file)
{
    const qint64 rewritten = source.bytes.constData() != file.constData() ? source.bytes.size() : 0;
    const qint64 cost = decodeCost(canvas, source, ScreenCopyCheck) + rewritten;
    return cost <= BaseDecodeBytes + DecodeBytesPerFileByte * file.size();
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
    // Qt's TIFF reader has libtiff read the whole first directory just to tell the format,
    // reserving room for every value an entry counts: the directory is checked first.
    if ((bytes.startsWith("II*") || bytes.startsWith(QByteArrayView("MM\0*", 4))) &&
        !isBitmapComplete("tiff", bytes))
        return result;
    const QByteArray format = identify(bytes, fallbackFormat);
    if (format.isEmpty())
        return result;
    const std::optional<Source> source = readable(bytes, format);
    if (!source)
        return result;

    Reader reader(source->bytes, source->format);
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
    const QSize canvas = canvasSize(format, bytes, size);
    if (!sizeAllowed(size) || !sizeAllowed(canvas) || !isBitmapComplete(format, bytes))
        return result;
    const qint64 perByte = format == "gif" ? MaxGifPixelsPerByte : MaxPixelsPerByte;
    // A GIF is held whole on its canvas however small the picture on it, so even a small
    // claim is held to what its bytes can describe.
    const qint64 checkedFrom = format == "gif" ? 0 : ClaimCheckPixels;
    if (pixels(canvas) > checkedFrom && pixels(canvas) / perByte > bytes.size())
        return result;
    if (!showingFits(canvas, *source, bytes))
        return result;
    // Qt paints a GIF's whole logical screen to show the picture on it: a screen far larger
    // than its picture is work for nothing.
    if (format == "gif" && pixels(canvas) > qMax(4 * pixels(size), GifFreeScreenPixels))
        return result;
    if (!decoded && pixels(canvas) <= TrialDecodePixels && decode(bytes, format, index).isNull())
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
    const std::optional<Source> source = readable(bytes, format);
    if (!source)
        return QImage();
    Reader reader(source->bytes, source->format);
    if (imageIndex > 0 && !reader->jumpToImage(imageIndex))
        return QImage();
    const QSize full = canvasSize(source->format, source->bytes, reader->size());
    if (full.isValid() && !sizeAllowed(full))
        return QImage();
    const DecodeGate::Ticket ticket(decodeCost(full, *source, scaledTo));
    // JPEG and WebP decoders scale inside the codec, and Qt's PNG reader scales 32-bit rows
    // as it reads them; an indexed or grey picture it would convert whole to 32 bits first,
    // which sampling below avoids.
    const bool codecScales = source->format == "jpeg" || source->format == "webp" ||
                             QImage::toPixelFormat(reader->imageFormat()).bitsPerPixel() >= 32;
    if (scaled && codecScales && reader->supportsOption(QImageIOHandler::ScaledSize))
        reader->setScaledSize(reader.rotated() ? scaledTo.transposed() : scaledTo);
    QImage image = reader->read();
    if (image.isNull() || !scaled || image.size() == scaledTo)
        return image;
    // Smooth scaling works on 32-bit pixels, so an indexed or grey picture would first be
    // converted whole, at four times its own size. A copy far smaller than the picture is
    // first sampled, in the picture's own format, at four times its size.
    const QSize sampled = scaledTo * 4;
    if (image.depth() < 32 && image.width() > 2 * sampled.width() &&
        image.height() > 2 * sampled.height())
        image = image.scaled(sampled, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return image.scaled(scaledTo, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace platform
