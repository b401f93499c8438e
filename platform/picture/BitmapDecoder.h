#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace platform {

// Reads bitmap files held in memory through Qt's image plugins. The content decides the
// format. Sizes are those of the picture as shown, after the rotation a photo's EXIF
// orientation asks for.
class BitmapDecoder
{
public:
    struct Probe
    {
        QByteArray format; // the reader's format ("jpeg", "bmp", "ico", ...)
        QSize size;
        int imageIndex = 0; // of a file holding several images (icons): the largest
        bool ok = false;
    };

    // Identifies the picture and checks that it can be shown: a known format, a size within
    // the limits (asked of the header, before anything is decoded), the whole file present;
    // small pictures are decoded once on trial. `fallbackFormat` is tried when the content
    // names no format (a header-less "dib" from the clipboard).
    static Probe probe(const QByteArray& bytes, const QByteArray& fallbackFormat = QByteArray());

    // The picture, or null on failure. With a valid `scaledTo` the result is exactly that
    // size (aspect not kept), scaled inside the codec where it can (JPEG).
    static QImage decode(const QByteArray& bytes, const QByteArray& format, int imageIndex,
                         const QSize& scaledTo = QSize());

    static bool sizeAllowed(const QSize& size);
    // Whether the first bytes of a file are those of a picture (bitmap or metafile).
    static bool looksLikePicture(const QByteArray& head);
};

} // namespace platform
