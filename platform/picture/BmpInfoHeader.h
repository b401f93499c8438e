#pragma once

#include "ByteReader.h"

#include <optional>

namespace platform {

// The information header of a device-independent bitmap, as every reader of bitmaps here
// takes it: in a BMP file (after its 14-byte file header), a bitmap on the clipboard, or a
// bitmap inside a metafile record. Only the header sizes writers use are taken: OS/2 1.x
// (12 bytes), Windows 3 (40), the two Adobe extensions (52, 56), OS/2 2.x (64), Windows 95
// (108) and Windows 98 (124).
struct BmpInfoHeader
{
    static constexpr quint32 Rgb = 0;
    static constexpr quint32 Rle8 = 1;
    static constexpr quint32 Rle4 = 2;
    static constexpr quint32 Bitfields = 3;
    static constexpr quint32 AlphaBitfields = 6;

    quint32 size = 0;
    qint64 width = 0;
    qint64 height = 0; // negative: rows top-down
    quint32 planes = 0;
    quint32 bits = 0;
    quint32 compression = Rgb;
    qint64 coloursUsed = 0; // 0: as many as the depth allows

    // The header at `at`, which must lie whole within the bytes; nothing otherwise.
    static std::optional<BmpInfoHeader> read(const ByteReader& r, qint64 at)
    {
        if (!r.has(at, 4))
            return std::nullopt;
        BmpInfoHeader h;
        h.size = r.le32(at);
        if (!isKnownSize(h.size) || !r.has(at, h.size))
            return std::nullopt;
        if (h.size == 12) {
            h.width = r.le16(at + 4);
            h.height = r.le16(at + 6);
            h.planes = r.le16(at + 8);
            h.bits = r.le16(at + 10);
        } else {
            h.width = r.le32s(at + 4);
            h.height = r.le32s(at + 8);
            h.planes = r.le16(at + 12);
            h.bits = r.le16(at + 14);
            h.compression = r.le32(at + 16);
            h.coloursUsed = r.le32(at + 32);
        }
        return h;
    }

    static bool isKnownSize(quint32 size)
    {
        return size == 12 || size == 40 || size == 52 || size == 56 || size == 64 || size == 108 ||
               size == 124;
    }

    qint64 rows() const { return height < 0 ? -height : height; }
    // The colour masks that follow a Windows 3 header, when its compression names them.
    qint64 maskBytes() const
    {
        if (size != 40)
            return 0;
        return compression == Bitfields ? 12 : compression == AlphaBitfields ? 16 : 0;
    }
};

} // namespace platform
