#include "MetafileBitmapCheck.h"

#include "BmpInfoHeader.h"

#include <QList>

namespace platform {

namespace {

constexpr qint64 MaxBitmapSide = 16384;
// Run-length data never expands beyond a couple of hundred pixels a byte.
constexpr qint64 MaxRlePixelsPerByte = 256;

constexpr quint32 BiRgb = BmpInfoHeader::Rgb;
constexpr quint32 BiRle8 = BmpInfoHeader::Rle8;
constexpr quint32 BiRle4 = BmpInfoHeader::Rle4;
constexpr quint32 BiBitfields = BmpInfoHeader::Bitfields;
constexpr quint32 BiAlphaBitfields = BmpInfoHeader::AlphaBitfields;

bool knownDepth(quint32 bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// Where a WMF record's bitmap starts, counted from its parameters; -1 for none.
qint64 wmfBitmapOffset(quint32 function, qint64 words)
{
    // A blit without a bitmap has exactly as many words as the high byte of its function
    // says, plus the three of the record header.
    const bool withBitmap = words != qint64(function >> 8) + 3;
    switch (function) {
    case 0x0940: // DIBBITBLT
    case 0x0922: // BITBLT
        return withBitmap ? 16 : -1;
    case 0x0B41: // DIBSTRETCHBLT
    case 0x0B23: // STRETCHBLT
        return withBitmap ? 20 : -1;
    case 0x0F43: // STRETCHDIB
        return 22;
    case 0x0D33: // SETDIBTODEV
        return 18;
    case 0x0142: // DIBCREATEPATTERNBRUSH
        return 4;
    case 0x01F9: // CREATEPATTERNBRUSH
        return 0;
    default:
        return -1;
    }
}

// Positions of the (offBmi, cbBmi, offBits, cbBits) fields of EMF records that carry
// bitmaps; a second entry for a mask.
QList<qint64> emfBitmapFields(quint32 type)
{
    switch (type) {
    case 76:  // BITBLT
    case 77:  // STRETCHBLT
    case 114: // ALPHABLEND
    case 116: // TRANSPARENTBLT
        return {84};
    case 78: // MASKBLT
        return {84, 112};
    case 79: // PLGBLT
        return {96, 124};
    case 80: // SETDIBITSTODEVICE
    case 81: // STRETCHDIBITS
        return {48};
    case 93: // CREATEMONOBRUSH
    case 94: // CREATEDIBPATTERNBRUSHPT
        return {16};
    default:
        return {};
    }
}

} // namespace

bool MetafileBitmapCheck::spend(qint64 width, qint64 height)
{
    if (width <= 0 || height <= 0 || width > MaxBitmapSide || height > MaxBitmapSide)
        return false;
    m_budget -= width * height;
    return m_budget >= 0;
}

bool MetafileBitmapCheck::dib(qint64 info, qint64 infoLength, qint64 bitsLength)
{
    if (infoLength < 12 || !m_r.has(info, infoLength))
        return false;
    const std::optional<BmpInfoHeader> h = BmpInfoHeader::read(m_r, info);
    if (!h || h->size > infoLength || h->planes != 1 || !knownDepth(h->bits))
        return false;
    const quint32 headerSize = h->size;
    qint64 width = h->width;
    qint64 height = h->height;
    const quint32 depth = h->bits;
    const quint32 compression = h->compression;
    qint64 colours = h->coloursUsed;
    if (colours == 0 && depth <= 8)
        colours = qint64(1) << depth;
    if (colours > 256 || (depth <= 8 && colours > (qint64(1) << depth)))
        return false;
    height = height < 0 ? -height : height;
    if (!spend(width, height))
        return false;
    m_lastHeight = height;

    // Entries are 2 bytes (palette indices) to 4; counting the smallest keeps valid files.
    const qint64 table = colours * 2 + h->maskBytes();
    const qint64 available = bitsLength >= 0 ? bitsLength : infoLength - headerSize - table;
    if (available < 0)
        return false;
    if (compression == BiRgb || compression == BiBitfields || compression == BiAlphaBitfields) {
        const qint64 rowBits = width * depth;
        return (rowBits + 31) / 32 * 4 * (height - 1) + (rowBits + 7) / 8 <= available;
    }
    if (compression == BiRle8 || compression == BiRle4)
        return available >= 2 && width * height <= MaxRlePixelsPerByte * available;
    return available > 0; // embedded JPEG or PNG: its own decoder judges it
}

bool MetafileBitmapCheck::bitmap16(qint64 at, qint64 length, qint64 gap)
{
    if (length < 10 + gap || !m_r.has(at, length))
        return false;
    const qint64 width = m_r.le16s(at + 2);
    const qint64 height = m_r.le16s(at + 4);
    const qint64 widthBytes = m_r.le16s(at + 6);
    const quint32 depth = m_r.at(at + 9);
    if (!knownDepth(depth) || widthBytes < (width * depth + 7) / 8 || !spend(width, height))
        return false;
    return widthBytes * height <= length - 10 - gap;
}

bool MetafileBitmapCheck::wmfRecord(qint64 at, qint64 length, quint32 function)
{
    const qint64 offset = wmfBitmapOffset(function, length / 2);
    if (offset < 0)
        return true;
    const qint64 start = at + 6 + offset;
    const qint64 rest = length - 6 - offset;
    if (function == 0x0922 || function == 0x0B23)
        return bitmap16(start, rest, 0);
    if (function == 0x01F9) // the bitmap's header, 18 unused bytes, then its bits
        return bitmap16(start, rest, 18);
    if (!dib(start, rest))
        return false;
    if (function == 0x0D33) {
        // The scan lines it sets must be lines of its bitmap: libwmf reserves memory for
        // them as counted, and reads their pixels from the bitmap.
        const qint64 scans = m_r.le16(at + 8);
        const qint64 first = m_r.le16(at + 10);
        return first + scans <= m_lastHeight;
    }
    return true;
}

bool MetafileBitmapCheck::emfRecord(qint64 at, qint64 length, quint32 type)
{
    const QList<qint64> fields = emfBitmapFields(type);
    for (const qint64 field : fields) {
        if (field + 16 > length)
            return false;
        const qint64 offBmi = m_r.le32(at + field);
        const qint64 cbBmi = m_r.le32(at + field + 4);
        const qint64 offBits = m_r.le32(at + field + 8);
        const qint64 cbBits = m_r.le32(at + field + 12);
        if (cbBmi == 0)
            continue; // a blit with a brush only, or no mask
        if (offBmi + cbBmi > length || offBits + cbBits > length)
            return false;
        if (!dib(at + offBmi, cbBmi, cbBits))
            return false;
    }
    return true;
}

} // namespace platform
