#include "BmpNormalizer.h"

#include "BmpInfoHeader.h"
#include "ByteReader.h"
#include "Picture.h"

#include <cstring>

namespace platform {

namespace {

constexpr qint64 FileHeaderBytes = 14;
constexpr qint64 InfoHeaderBytes = 40;
constexpr quint32 BiRgb = BmpInfoHeader::Rgb;
constexpr quint32 BiRle8 = BmpInfoHeader::Rle8;
constexpr quint32 BiRle4 = BmpInfoHeader::Rle4;
constexpr quint32 BiBitfields = BmpInfoHeader::Bitfields;
// Run-length bitmaps are small pictures (icons, screen shots of the nineties); one that
// claims many more pixels than its bytes could describe with runs is refused before its
// pixels are laid out, which for millions of them would keep the program busy for seconds.
// A run of 255 pixels takes two bytes; jumps can cover more, and twice the runs' rate
// leaves them room.
constexpr qint64 RunLengthCheckPixels = 1000 * 1000;
constexpr qint64 MaxRunLengthPixelsPerByte = 256;
// Laid out and then decoded, a run-length bitmap holds about five bytes a pixel at once; that
// must fit in what any picture may cost: 64 MB and 16 bytes for each byte of its file.
constexpr qint64 RunLengthBytesPerPixel = 5;
constexpr qint64 RunLengthBaseBytes = 64LL * 1024 * 1024;
constexpr qint64 RunLengthBytesPerFileByte = 16;

struct Layout
{
    qint64 info = 0;
    quint32 headerSize = 0;
    qint64 width = 0;
    qint64 height = 0; // negative: rows top-down
    quint32 bits = 0;
    quint32 compression = BiRgb;
    qint64 entries = 0; // colour table entries the file holds
    qint64 entryBytes = 4;
    qint64 table = 0;  // where the colour table starts
    qint64 pixels = 0; // where the pixels start
};

bool depthFits(quint32 bits, quint32 compression)
{
    switch (compression) {
    case BiRgb:
        return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    case BiRle8:
        return bits == 8;
    case BiRle4:
        return bits == 4;
    case BiBitfields:
        return bits == 16 || bits == 32;
    default:
        return false;
    }
}

std::optional<Layout> readLayout(const ByteReader& r, bool fileHeader)
{
    Layout l;
    l.info = fileHeader ? FileHeaderBytes : 0;
    if (fileHeader && !r.startsWith(0, "BM"))
        return std::nullopt;
    const std::optional<BmpInfoHeader> h = BmpInfoHeader::read(r, l.info);
    if (!h)
        return std::nullopt;
    l.headerSize = h->size;
    l.width = h->width;
    l.height = h->height;
    l.bits = h->bits;
    l.compression = h->compression;
    l.entryBytes = h->size == 12 ? 3 : 4;
    const quint32 planes = h->planes;
    const qint64 used = h->coloursUsed;
    const qint64 rows = l.height < 0 ? -l.height : l.height;
    if (planes != 1 || !depthFits(l.bits, l.compression) || l.width <= 0 || rows == 0 ||
        l.width > Picture::MaxSide || rows > Picture::MaxSide ||
        l.width * rows > Picture::MaxPixels)
        return std::nullopt;
    if (l.height < 0 && (l.compression == BiRle8 || l.compression == BiRle4))
        return std::nullopt;

    l.table = l.info + l.headerSize;
    if (l.headerSize == InfoHeaderBytes && l.compression == BiBitfields)
        l.table += 12; // the three colour masks follow the short header
    if (l.bits <= 8)
        l.entries = used == 0 ? qint64(1) << l.bits : used;
    else if (used > 0 && used <= 256)
        l.entries = used; // an optional table for display on palette screens
    if (l.entries > 256 || !r.has(l.table, l.entries * l.entryBytes))
        return std::nullopt;
    l.pixels = l.table + l.entries * l.entryBytes;
    if (fileHeader) {
        const qint64 offset = r.le32(10);
        if (offset >= l.pixels)
            l.pixels = offset;
    }
    if (!r.has(l.pixels, 0))
        return std::nullopt;
    return l;
}

qint64 stride(qint64 width, quint32 bits)
{
    return (width * bits + 31) / 32 * 4;
}

void put16(uchar* p, quint32 v)
{
    p[0] = uchar(v);
    p[1] = uchar(v >> 8);
}

void put32(uchar* p, quint32 v)
{
    put16(p, v & 0xFFFF);
    put16(p + 2, v >> 16);
}

// A plain bitmap of `bits` (at most 8) with a full colour table, the file's colours first,
// and room for its pixels; `pixelsAt` receives where they start.
QByteArray plainBitmap(const ByteReader& r, const Layout& l, quint32 bits, qint64& pixelsAt)
{
    const qint64 tableEntries = qint64(1) << bits;
    const qint64 rows = l.height < 0 ? -l.height : l.height;
    pixelsAt = FileHeaderBytes + InfoHeaderBytes + tableEntries * 4;
    const qint64 size = pixelsAt + stride(l.width, bits) * rows;
    QByteArray out(size, '\0');
    auto* p = reinterpret_cast<uchar*>(out.data());
    p[0] = 'B';
    p[1] = 'M';
    put32(p + 2, quint32(size));
    put32(p + 10, quint32(pixelsAt));
    uchar* info = p + FileHeaderBytes;
    put32(info, InfoHeaderBytes);
    put32(info + 4, quint32(l.width));
    put32(info + 8, quint32(qint32(l.height)));
    put16(info + 12, 1);
    put16(info + 14, bits);
    put32(info + 32, quint32(tableEntries));
    uchar* table = info + InfoHeaderBytes;
    for (qint64 i = 0; i < qMin(l.entries, tableEntries); ++i) {
        const qint64 from = l.table + i * l.entryBytes;
        table[i * 4] = r.at(from);
        table[i * 4 + 1] = r.at(from + 1);
        table[i * 4 + 2] = r.at(from + 2);
    }
    return out;
}

// Uncoded pixels as they stand; the last row's padding may be missing, its pixels not.
bool copyPixels(const ByteReader& r, const Layout& l, uchar* to)
{
    const qint64 rows = l.height < 0 ? -l.height : l.height;
    const qint64 rowBytes = stride(l.width, l.bits);
    const qint64 needed = rowBytes * (rows - 1) + (l.width * l.bits + 7) / 8;
    if (!r.has(l.pixels, needed))
        return false;
    const qint64 available = qMin(rowBytes * rows, r.size() - l.pixels);
    for (qint64 i = 0; i < available; ++i)
        to[i] = r.at(l.pixels + i);
    return true;
}

// Run-length pixels (4 or 8 bits) into 8-bit rows, bottom row first. Pixels the data skips
// or never reaches stay 0; pixels outside the picture are dropped.
bool decodeRle(const ByteReader& r, const Layout& l, uchar* to)
{
    const bool four = l.compression == BiRle4;
    const qint64 rowBytes = stride(l.width, 8);
    qint64 x = 0;
    qint64 y = 0;
    auto put = [&](uchar index) {
        if (x < l.width && y < l.height)
            to[y * rowBytes + x] = index;
        ++x;
    };
    qint64 i = l.pixels;
    while (r.has(i, 2) && y < l.height) {
        const uchar count = r.at(i);
        const uchar code = r.at(i + 1);
        i += 2;
        if (count > 0) {
            const qint64 n = qBound<qint64>(0, l.width - x, count);
            if (n > 0 && y < l.height) {
                uchar* run = to + y * rowBytes + x;
                if (four) {
                    for (qint64 k = 0; k < n; ++k)
                        run[k] = (k & 1) ? code & 0x0F : code >> 4;
                } else {
                    std::memset(run, code, size_t(n));
                }
            }
            x += n;
            continue;
        }
        if (code == 0) {
            x = 0;
            ++y;
        } else if (code == 1) {
            return true;
        } else if (code == 2) {
            if (!r.has(i, 2))
                return false;
            x += r.at(i);
            y += r.at(i + 1);
            i += 2;
        } else {
            const qint64 bytes = four ? (code + 1) / 2 : code;
            if (!r.has(i, bytes))
                return false;
            for (int k = 0; k < code; ++k) {
                const uchar byte = r.at(i + (four ? k / 2 : k));
                put(four ? ((k & 1) ? byte & 0x0F : byte >> 4) : byte);
            }
            i += (bytes + 1) & ~qint64(1);
        }
    }
    // Data that ends without its end code leaves the rest of the picture cleared.
    return true;
}

} // namespace

std::optional<QByteArray> normalizedBmp(const QByteArray& bytes, bool fileHeader)
{
    const ByteReader r(bytes);
    const std::optional<Layout> layout = readLayout(r, fileHeader);
    if (!layout)
        return std::nullopt;
    const Layout& l = *layout;
    const bool runLength = l.compression == BiRle8 || l.compression == BiRle4;
    const bool shortTable = l.bits <= 8 && l.entries < (qint64(1) << l.bits);
    // Uncoded pixels must all be there (only the last row's padding may be missing), before
    // anything is laid out for them.
    if (!runLength && (l.compression == BiRgb || l.compression == BiBitfields)) {
        const qint64 rows = l.height < 0 ? -l.height : l.height;
        const qint64 needed = stride(l.width, l.bits) * (rows - 1) + (l.width * l.bits + 7) / 8;
        if (!r.has(l.pixels, needed))
            return std::nullopt;
    }
    if (!runLength && !shortTable)
        return bytes;

    const qint64 area = l.width * l.height;
    if (runLength && area > RunLengthCheckPixels &&
        (area / MaxRunLengthPixelsPerByte > r.size() - l.pixels ||
         area * RunLengthBytesPerPixel > RunLengthBaseBytes + RunLengthBytesPerFileByte * r.size()))
        return std::nullopt;

    qint64 pixelsAt = 0;
    QByteArray out = plainBitmap(r, l, runLength ? 8 : l.bits, pixelsAt);
    auto* pixels = reinterpret_cast<uchar*>(out.data()) + pixelsAt;
    const bool ok = runLength ? decodeRle(r, l, pixels) : copyPixels(r, l, pixels);
    if (!ok)
        return std::nullopt;
    return out;
}

} // namespace platform
