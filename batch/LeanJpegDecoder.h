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
// decoded at 6/8, row by row, and held only as the finished square.
class LeanJpegDecoder
{
public:
    // libjpeg holds at most this plus 16 bytes per byte of the file.
    static constexpr qint64 kMemoryFloor = 64LL * 1024 * 1024;

    // What the codec's header tells of a photo.
    struct Header
    {
        QSize stored;       // as the file holds it
        QSize shown;        // after its EXIF orientation
        bool turned = false; // shown is not stored: the rows must be turned after reducing
        QImageIOHandler::Transformations turn = QImageIOHandler::TransformationNone;
        bool readable = false; // a colour model this decoder reads (grey, YCbCr, RGB)
        // What libjpeg itself holds while decoding: a progressive photo's coefficients
        // whole (about 72 MB for 24 megapixels), a baseline one's a few rows.
        qint64 decoderBytes = 0;
    };
    static Header header(const QByteArray& bytes);

    // `bytes` reduced to exactly `size`, the shown size (aspect not kept, EXIF orientation
    // applied), or a null image when this decoder cannot do it: not a JPEG, an unreadable
    // colour model (CMYK), a fatal fault in the file, or a size that would grow.
    static QImage scaled(const QByteArray& bytes, const QSize& size);

    // The stored rows of `bytes` reduced to exactly `size` (in the file's own orientation),
    // handed to `rows` top to bottom. False on any of the faults above, or when `rows` said
    // stop; rows may have been handed on before a fault.
    static bool reduce(const QByteArray& bytes, const QSize& size, const BoxReducer::Rows& rows);
    // The same, held whole: `size` is in the file's own orientation.
    static QImage reducedAsStored(const QByteArray& bytes, const QSize& size);

    // The rows of `stored` (RGB32) as the orientation `turn` shows them, top to bottom, each
    // gathered when it is handed on: a turned photo is compressed without a turned copy.
    static bool turnedRows(const QImage& stored, QImageIOHandler::Transformations turn,
                           const BoxReducer::Rows& rows);
};
