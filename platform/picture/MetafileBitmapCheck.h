#pragma once

#include "ByteReader.h"

namespace platform {

// Raster images inside metafile records. The converting libraries loop over every pixel a
// bitmap header claims, so a damaged header (a width of millions) would keep them busy for
// hours. A bitmap passes when its header is sane, its pixels fit the data the record
// carries, and all bitmaps of the file together stay within a pixel budget.
class MetafileBitmapCheck
{
public:
    explicit MetafileBitmapCheck(const QByteArray& bytes) : m_r(bytes) {}

    // A WMF record at `at`, `length` bytes long (size and function included).
    bool wmfRecord(qint64 at, qint64 length, quint32 function);
    // An EMF record at `at`, `length` bytes long (type and size included).
    bool emfRecord(qint64 at, qint64 length, quint32 type);

private:
    // A device-independent bitmap: its header at `info` within `infoLength` bytes; its
    // pixels follow the header and colour table there, or, with `bitsLength` >= 0, are
    // that many bytes elsewhere.
    bool dib(qint64 info, qint64 infoLength, qint64 bitsLength = -1);
    // The old device-dependent bitmap of WMF, `length` bytes at `at`; its bits start
    // `gap` bytes after its 10-byte header.
    bool bitmap16(qint64 at, qint64 length, qint64 gap);
    bool spend(qint64 width, qint64 height);

    ByteReader m_r;
    qint64 m_budget = 64LL * 1024 * 1024;
    qint64 m_lastHeight = 0; // of the last bitmap dib() passed
};

} // namespace platform
