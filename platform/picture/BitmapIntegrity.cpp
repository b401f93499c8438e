#include "BitmapIntegrity.h"

#include <cmath>

#include "BmpInfoHeader.h"
#include "ByteReader.h"

#include <optional>

namespace platform {

namespace {

using Bytes = ByteReader;

bool isFrameMarker(uchar m)
{
    return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC;
}

// Whether an end-of-image marker follows position `from`. Inside entropy-coded data 0xFF
// is only ever followed by a stuffed 0 or a restart marker, so FF D9 there is the end.
// Searched from the back: a whole file ends with it, give or take a few bytes of padding
// or data appended by a camera, and a photo's megabytes of scan data need not be read.
bool endMarkerAfter(const Bytes& b, qint64 from)
{
    for (qint64 i = b.size() - 2; i >= from; --i) {
        if (b.at(i) == 0xFF && b.at(i + 1) == 0xD9)
            return true;
    }
    return false;
}

// The segments before the first scan, with their lengths, must hold a frame header; the
// image must end after the scan. Stray bytes between segments are skipped the way
// decoders skip them.
bool jpegComplete(const Bytes& b)
{
    if (!b.has(0, 4) || b.at(0) != 0xFF || b.at(1) != 0xD8)
        return false;
    bool frame = false;
    qint64 i = 2;
    while (i < b.size()) {
        i = b.nextFF(i);
        if (i < 0)
            return false;
        while (i < b.size() && b.at(i) == 0xFF)
            ++i;
        if (i >= b.size())
            return false;
        const uchar marker = b.at(i++);
        if (marker == 0xD9)
            return false; // ended before any scan
        if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue;
        if (!b.has(i, 2))
            return false;
        const qint64 length = b.be16(i);
        if (length < 2 || !b.has(i, length))
            return false;
        frame = frame || isFrameMarker(marker);
        i += length;
        if (marker == 0xDA)
            return frame && endMarkerAfter(b, i);
    }
    return false;
}

bool pngComplete(const Bytes& b)
{
    if (!b.startsWith(0, "\x89PNG\r\n\x1a\n"))
        return false;
    bool header = false;
    bool data = false;
    qint64 i = 8;
    while (b.has(i, 12)) {
        const qint64 length = b.be32(i);
        if (length > 0x7FFFFFFF || !b.has(i + 8, length + 4))
            return false;
        if (b.startsWith(i + 4, "IEND"))
            return header && data;
        header = header || b.startsWith(i + 4, "IHDR");
        data = data || b.startsWith(i + 4, "IDAT");
        i += 12 + length;
    }
    return false;
}

// Run-length bitmaps end with the end-of-bitmap code (0, 1).
bool bmpRleComplete(const Bytes& b, qint64 i, bool fourBit)
{
    while (b.has(i, 2)) {
        const uchar count = b.at(i);
        const uchar code = b.at(i + 1);
        i += 2;
        if (count != 0 || code == 0)
            continue;
        if (code == 1)
            return true;
        if (code == 2) {
            i += 2;
            continue;
        }
        const qint64 literal = fourBit ? (code + 1) / 2 : code;
        i += (literal + 1) & ~qint64(1);
    }
    return false;
}

bool bmpComplete(const Bytes& b)
{
    if (!b.startsWith(0, "BM") || !b.has(0, 14))
        return false;
    const qint64 offset = b.le32(10);
    const std::optional<BmpInfoHeader> h = BmpInfoHeader::read(b, 14);
    if (!h)
        return false;
    const qint64 width = h->width;
    const qint64 height = h->height;
    const quint32 bitCount = h->bits;
    const quint32 compression = h->compression;
    if (!b.has(offset, 1))
        return false;
    if (compression == 1 || compression == 2)
        return bmpRleComplete(b, offset, compression == 2);
    if (compression != 0 && compression != 3 && compression != 6)
        return true;
    if (width <= 0 || height == 0 || bitCount == 0 || bitCount > 64)
        return true;
    const qint64 rowBits = width * bitCount;
    const qint64 stride = (rowBits + 31) / 32 * 4;
    const qint64 rows = height < 0 ? -height : height;
    // Some writers leave out the padding of the last row; its pixels must be there.
    const qint64 needed = stride * (rows - 1) + (rowBits + 7) / 8;
    return b.has(offset, needed);
}

// Data sub-blocks: a length byte and that many bytes, until a zero length.
qint64 skipGifSubBlocks(const Bytes& b, qint64 i)
{
    while (b.has(i, 1)) {
        const qint64 length = b.at(i++);
        if (length == 0)
            return i;
        i += length;
    }
    return -1;
}

// Complete when its first image is (only that image is ever shown).
bool gifComplete(const Bytes& b)
{
    if ((!b.startsWith(0, "GIF87a") && !b.startsWith(0, "GIF89a")) || !b.has(0, 13))
        return false;
    qint64 i = 13;
    if (b.at(10) & 0x80)
        i += 3 * (qint64(2) << (b.at(10) & 7));
    while (b.has(i, 1)) {
        const uchar block = b.at(i++);
        if (block == 0x21) {
            i = skipGifSubBlocks(b, i + 1);
        } else if (block == 0x2C) {
            if (!b.has(i, 10))
                return false;
            const uchar flags = b.at(i + 8);
            i += 9;
            if (flags & 0x80)
                i += 3 * (qint64(2) << (flags & 7));
            return skipGifSubBlocks(b, i + 1) > 0;
        } else {
            return false;
        }
        if (i < 0)
            return false;
    }
    return false;
}

bool webpComplete(const Bytes& b)
{
    if (!b.startsWith(0, "RIFF") || !b.startsWith(8, "WEBP"))
        return false;
    const qint64 size = b.le32(4);
    return size >= 4 && b.has(8, size);
}

class TiffReader
{
public:
    explicit TiffReader(const Bytes& b) : m_b(b), m_bigEndian(b.startsWith(0, "MM")) {}

    quint32 u16(qint64 i) const { return m_bigEndian ? m_b.be16(i) : m_b.le16(i); }
    quint32 u32(qint64 i) const { return m_bigEndian ? m_b.be32(i) : m_b.le32(i); }

    // Where a SHORT or LONG directory entry keeps its values, all inside the file.
    struct Values
    {
        qint64 start = 0;
        qint64 count = 0;
        qint64 width = 0;
    };
    std::optional<Values> values(qint64 entry) const
    {
        const quint32 type = u16(entry + 2);
        const qint64 count = u32(entry + 4);
        const qint64 width = type == 3 ? 2 : type == 4 ? 4 : 0;
        if (width == 0 || count > m_b.size())
            return std::nullopt;
        const qint64 start = count * width <= 4 ? entry + 8 : qint64(u32(entry + 8));
        if (!m_b.has(start, count * width))
            return std::nullopt;
        return Values{start, count, width};
    }
    quint32 value(const Values& v, qint64 k) const
    {
        return v.width == 2 ? u16(v.start + k * 2) : u32(v.start + k * 4);
    }

private:
    const Bytes& m_b;
    bool m_bigEndian;
};

// The first directory's strips (or tiles) must lie inside the file. Only the first entry of
// each tag counts, as for the decoder: a directory that repeats a tag, each time with values
// that fill the file, must not cost its repetitions times the file. The values are read in
// place, so the check holds nothing and reads each value once.
bool tiffComplete(const Bytes& b)
{
    if (!b.startsWith(0, "II*\0") && !b.startsWith(0, "MM\0*")) {
        // BigTIFF and the like: left to the decoder.
        return b.startsWith(0, "II") || b.startsWith(0, "MM");
    }
    if (!b.has(0, 8))
        return false;
    const TiffReader tiff(b);
    const qint64 directory = tiff.u32(4);
    if (!b.has(directory, 2))
        return false;
    const qint64 entries = tiff.u16(directory);
    if (!b.has(directory + 2, entries * 12))
        return false;
    std::optional<TiffReader::Values> offsets;
    std::optional<TiffReader::Values> counts;
    for (qint64 e = 0; e < entries; ++e) {
        const qint64 entry = directory + 2 + e * 12;
        const quint32 tag = tiff.u16(entry);
        // Every value takes a byte at least: more values than the file has bytes are not in
        // it, whatever their type, and libtiff reserves room for them all before it looks.
        if (tiff.u32(entry + 4) > b.size())
            return false;
        const bool isOffsets = tag == 273 || tag == 324;
        const bool isCounts = tag == 279 || tag == 325;
        std::optional<TiffReader::Values>* slot = isOffsets  ? &offsets
                                                  : isCounts ? &counts
                                                             : nullptr;
        if (slot == nullptr || slot->has_value())
            continue;
        *slot = tiff.values(entry);
        if (!slot->has_value())
            return false;
    }
    if (offsets.has_value() != counts.has_value())
        return false;
    if (!offsets)
        return true;
    if (offsets->count != counts->count)
        return false;
    for (qint64 k = 0; k < offsets->count; ++k) {
        if (!b.has(tiff.value(*offsets, k), tiff.value(*counts, k)))
            return false;
    }
    return true;
}

// Icons and cursors: every image the directory lists lies inside the file.
bool icoComplete(const Bytes& b)
{
    if (!b.has(0, 6) || b.le16(0) != 0 || (b.le16(2) != 1 && b.le16(2) != 2))
        return false;
    const qint64 count = b.le16(4);
    if (count == 0 || !b.has(6, count * 16))
        return false;
    for (qint64 k = 0; k < count; ++k) {
        const qint64 entry = 6 + k * 16;
        if (!b.has(b.le32(entry + 12), b.le32(entry + 8)))
            return false;
    }
    return true;
}

} // namespace

int jpegCoefficientBytesPerPixel(const QByteArray& bytes)
{
    const Bytes b(bytes);
    bool progressive = false;
    int scans = 0;
    double perPixel = 0; // coefficients a pixel, the largest any frame header gives
    for (qint64 i = 0; b.has(i, 2); ++i) {
        if (b.at(i) != 0xFF)
            continue;
        const uchar marker = b.at(i + 1);
        if (marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE)
            progressive = true;
        if (marker == 0xDA)
            ++scans;
        if (!isFrameMarker(marker) || !b.has(i, 11))
            continue;
        const int components = b.at(i + 9);
        int hMax = 1;
        int vMax = 1;
        int blocks = 0;
        for (int k = 0; k < components && b.has(i + 11 + 3 * k, 1); ++k) {
            const uchar hv = b.at(i + 11 + 3 * k);
            hMax = qMax(hMax, hv >> 4);
            vMax = qMax(vMax, hv & 0x0F);
            blocks += (hv >> 4) * (hv & 0x0F);
        }
        perPixel = qMax(perPixel, double(blocks) / (hMax * vMax));
    }
    if (!progressive && scans <= 1)
        return 0;
    // Two bytes a coefficient; three components at full size when no frame says.
    return perPixel > 0 ? int(std::ceil(perPixel * 2)) : 6;
}

bool isBitmapComplete(const QByteArray& format, const QByteArray& bytes)
{
    const Bytes b(bytes);
    if (format == "jpeg" || format == "jpg")
        return jpegComplete(b);
    if (format == "png")
        return pngComplete(b);
    if (format == "bmp")
        return bmpComplete(b);
    if (format == "gif")
        return gifComplete(b);
    if (format == "webp")
        return webpComplete(b);
    if (format == "tiff" || format == "tif")
        return tiffComplete(b);
    if (format == "ico" || format == "cur")
        return icoComplete(b);
    return true;
}

} // namespace platform
