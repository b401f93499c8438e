#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

// Reduces a large JPEG photo to the pixels a sheet needs without ever holding it at full
// size. Qt's codec scales inside the decoder only by halves, and only when both sides
// allow it: a 6000 x 4000 photo stretched to a 120 mm square at 600 dpi (2835 x 2835) is
// otherwise decoded whole, 96 MB, before it is scaled. Here the photo is read in bands of
// rows, each narrowed at once, and the rows are averaged down as they come.
class LeanJpegDecoder
{
public:
    // A band of decoded rows holds at most about this much.
    static constexpr qint64 kBandBytes = 24LL * 1024 * 1024;
    // Photos whose whole decode stays below this are left to the codec.
    static constexpr qint64 kWholeDecodeBytes = 32LL * 1024 * 1024;

    // `bytes` scaled to exactly `size` (aspect not kept), or a null image when this photo is
    // better left to the codec: not a JPEG, turned by its EXIF orientation, small enough,
    // scalable by the codec itself, or asked to grow.
    static QImage scaled(const QByteArray& bytes, const QSize& size);
};
