#pragma once

#include "BoxReducer.h"

#include <QByteArray>
#include <QImage>
#include <QImageIOHandler>
#include <QSize>

// Reduces a JPEG photo to the pixels a sheet needs in one pass over its scan lines, without
// ever holding it at full size: libjpeg decodes it at the smallest of its scales (n/8) that
// still covers the size asked for, and the rows are averaged down to that size exactly as
// they come. A 6000 x 4000 photo stretched to a 120 mm square at 600 dpi (2835 x 2835) is
// decoded at 6/8, row by row, and never held at all when it is handed on row by row.
class LeanJpegDecoder
{
public:
    // libjpeg holds at most this plus 16 bytes per byte of the file.
    static constexpr qint64 kMemoryFloor = 64LL * 1024 * 1024;

    // What the codec's header tells of a photo.
    struct Header
    {
        QSize stored; // as the file holds it
        QSize shown;  // after its EXIF orientation
        QImageIOHandler::Transformations turn = QImageIOHandler::TransformationNone;
        bool readable = false; // a colour model this decoder reads (grey, YCbCr, RGB)
        // What libjpeg itself holds while decoding: a progressive photo's coefficients
        // whole (about 72 MB for 24 megapixels), a baseline one's a few rows.
        qint64 decoderBytes = 0;

        // Shown is not stored: the photo is held once, reduced, to be turned.
        bool turned() const { return turn != QImageIOHandler::TransformationNone; }
    };
    static Header header(const QByteArray& bytes);

    // `bytes` reduced to exactly `size`, the shown size (aspect not kept), handed to `rows`
    // top to bottom as `turn` (the header's) shows them: straight from the decoder, or for a
    // turned photo gathered from its reduced copy. False when this decoder cannot do it (not
    // a JPEG, an unreadable colour model such as CMYK, a fatal fault in the file, a size that
    // would grow) or when `rows` said stop; rows may have been handed on before a fault.
    static bool reduce(const QByteArray& bytes, const QSize& size,
                       QImageIOHandler::Transformations turn, const BoxReducer::Rows& rows);

    // The same held whole, its EXIF orientation read from the file; null on a fault.
    static QImage scaled(const QByteArray& bytes, const QSize& size);
};
