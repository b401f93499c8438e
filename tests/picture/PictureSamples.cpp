#include "PictureSamples.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <QtEndian>

namespace samples {

namespace {

class Writer
{
public:
    QByteArray bytes;

    void u8(quint32 v) { bytes.append(char(v & 0xFF)); }
    void u16(quint32 v)
    {
        u8(v);
        u8(v >> 8);
    }
    void u32(quint32 v)
    {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    void be32(quint32 v)
    {
        u8(v >> 24);
        u8(v >> 16);
        u8(v >> 8);
        u8(v);
    }
    void setU32(qsizetype at, quint32 v)
    {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = char((v >> (8 * i)) & 0xFF);
    }
};

quint32 crc32(const QByteArray& data)
{
    quint32 crc = 0xFFFFFFFF;
    for (const char c : data) {
        crc ^= uchar(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

void pngChunk(Writer& w, const QByteArray& type, const QByteArray& data)
{
    w.be32(quint32(data.size()));
    w.bytes += type + data;
    w.be32(crc32(type + data));
}

// A WMF record: size in 16-bit words, function, parameters.
void wmfRecord(Writer& w, quint32 function, const QList<quint32>& words)
{
    w.u32(quint32(3 + words.size()));
    w.u16(function);
    for (const quint32 word : words)
        w.u16(word);
}

// A bottom-up 24-bit bitmap header claiming `size`, then 2 x 2 blue pixels.
QByteArray blueDib(const QSize& size)
{
    Writer w;
    w.u32(40);
    w.u32(quint32(size.width()));
    w.u32(quint32(size.height()));
    w.u16(1);
    w.u16(24);
    for (int i = 0; i < 6; ++i)
        w.u32(0);
    for (int row = 0; row < 2; ++row)
        w.bytes += QByteArray("\xff\x00\x00\xff\x00\x00\x00\x00", 8);
    return w.bytes;
}

} // namespace

QImage twoColours(const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Blue);
    QPainter painter(&image);
    painter.fillRect(0, 0, size.width() / 2, size.height(), Red);
    return image;
}

QByteArray encode(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(100);
    return writer.write(image) ? bytes : QByteArray();
}

QByteArray gif(const QImage& image)
{
    Writer w;
    w.bytes = "GIF89a";
    w.u16(quint32(image.width()));
    w.u16(quint32(image.height()));
    w.u8(0xF6); // global table of 128 colours
    w.u8(0);
    w.u8(0);
    for (int i = 0; i < 128; ++i) {
        const QColor c = i == 0 ? Red : i == 1 ? Blue : QColor(Qt::black);
        w.u8(quint32(c.red()));
        w.u8(quint32(c.green()));
        w.u8(quint32(c.blue()));
    }
    w.u8(0x2C);
    w.u32(0);
    w.u16(quint32(image.width()));
    w.u16(quint32(image.height()));
    w.u8(0);
    w.u8(7); // LZW minimum code size: codes are 8 bits wide until the table grows
    // A clear code every 100 pixels keeps the table (and the code width) from growing.
    QByteArray codes;
    int sinceClear = 100;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (sinceClear == 100) {
                codes.append(char(128));
                sinceClear = 0;
            }
            const QColor c = image.pixelColor(x, y);
            codes.append(char(c == Red ? 0 : c == Blue ? 1 : 2));
            ++sinceClear;
        }
    }
    codes.append(char(129));
    for (qsizetype at = 0; at < codes.size(); at += 255) {
        const QByteArray block = codes.mid(at, 255);
        w.u8(quint32(block.size()));
        w.bytes += block;
    }
    w.u8(0);
    w.u8(0x3B);
    return w.bytes;
}

QByteArray mergeIcons(const QList<QByteArray>& icons)
{
    Writer w;
    w.u16(0);
    w.u16(1);
    w.u16(quint32(icons.size()));
    QByteArray images;
    const qsizetype firstImage = 6 + 16 * icons.size();
    for (const QByteArray& icon : icons) {
        const auto* p = reinterpret_cast<const uchar*>(icon.constData());
        const quint32 size = qFromLittleEndian<quint32>(p + 14);
        const quint32 offset = qFromLittleEndian<quint32>(p + 18);
        w.bytes += icon.mid(6, 8);
        w.u32(size);
        w.u32(quint32(firstImage + images.size()));
        images += icon.mid(offset, size);
    }
    return w.bytes + images;
}

QByteArray cursorFrom(const QByteArray& icon)
{
    QByteArray cursor = icon;
    cursor[2] = 2;
    return cursor;
}

QByteArray wmf(bool placeable, int width, int height, int unitsPerInch, const QSize& bitmap,
               int windowScale)
{
    Writer w;
    if (placeable) {
        w.u32(0x9AC6CDD7);
        w.u16(0);
        w.u16(0);
        w.u16(0);
        w.u16(quint32(width));
        w.u16(quint32(height));
        w.u16(quint32(unitsPerInch));
        w.u32(0);
        quint32 checksum = 0;
        for (int i = 0; i < 10; ++i)
            checksum ^= uchar(w.bytes[2 * i]) | uchar(w.bytes[2 * i + 1]) << 8;
        w.u16(checksum);
    }
    const qsizetype start = w.bytes.size();
    w.u16(1);
    w.u16(9);
    w.u16(0x300);
    w.u32(0);  // size in words, below
    w.u16(2);  // objects
    w.u32(64); // largest record
    w.u16(0);
    if (windowScale > 0) {
        wmfRecord(w, 0x0103, {8}); // SETMAPMODE anisotropic
        width *= windowScale;
        height *= windowScale;
    }
    wmfRecord(w, 0x020B, {0, 0});                                  // SETWINDOWORG
    wmfRecord(w, 0x020C, {quint32(height), quint32(width)});       // SETWINDOWEXT
    wmfRecord(w, 0x02FA, {5, 0, 0, 0, 0});                         // CREATEPENINDIRECT null
    wmfRecord(w, 0x02FC, {0, 0x00FF, 0, 0});                       // CREATEBRUSHINDIRECT red
    wmfRecord(w, 0x012D, {0});                                     // SELECTOBJECT
    wmfRecord(w, 0x012D, {1});                                     // SELECTOBJECT
    wmfRecord(w, 0x041B, {quint32(height), quint32(width), 0, 0}); // RECTANGLE
    if (bitmap.isValid()) {
        const QByteArray dib = blueDib(bitmap);
        w.u32(quint32(3 + 10 + dib.size() / 2));
        w.u16(0x0B41); // DIBSTRETCHBLT, copying the source
        w.u32(0x00CC0020);
        for (const int v : {2, 2, 0, 0, height, width / 2, 0, width / 2})
            w.u16(quint32(v));
        w.bytes += dib;
    }
    wmfRecord(w, 0x0000, {}); // EOF
    w.setU32(start + 6, quint32((w.bytes.size() - start) / 2));
    return w.bytes;
}

QByteArray emf(int width, int height, const QSize& bitmap)
{
    Writer w;
    w.u32(1); // EMR_HEADER
    w.u32(88);
    for (const int v : {0, 0, width, height})
        w.u32(quint32(v));
    for (const int v : {0, 0, width * 2540 / 96, height * 2540 / 96})
        w.u32(quint32(v));
    w.u32(0x464D4520);
    w.u32(0x10000);
    w.u32(0); // bytes, below
    w.u32(0); // records, below
    w.u16(2); // handles
    w.u16(0);
    w.u32(0);
    w.u32(0);
    w.u32(0);
    for (const int v : {1920, 1080, 508, 286}) // reference device: 96 pixels an inch
        w.u32(quint32(v));
    QList<QList<quint32>> records = {
        {37, 12, 0x80000008},                            // SELECTOBJECT stock NULL_PEN
        {39, 24, 1, 0, 0x0000FF, 0},                     // CREATEBRUSHINDIRECT red
        {37, 12, 1},                                     // SELECTOBJECT
        {43, 24, 0, 0, quint32(width), quint32(height)}, // RECTANGLE
    };
    QByteArray dib;
    if (bitmap.isValid()) {
        dib = blueDib(bitmap);
        const quint32 half = quint32(width / 2);
        const quint32 full = quint32(height);
        QList<quint32> stretch = {81, quint32(80 + dib.size())}; // STRETCHDIBITS
        stretch += {half, 0, quint32(width), full};              // bounds
        stretch += {half, 0, 0, 0, 2, 2};                        // destination, source
        stretch += {80, 40, 120, quint32(dib.size() - 40)};      // header, bits
        stretch += {0, 0x00CC0020, half, full};                  // usage, copy, size
        records.append(stretch);
    }
    records.append({14, 20, 0, 16, 20}); // EOF
    for (const QList<quint32>& record : records) {
        for (const quint32 v : record)
            w.u32(v);
        if (record.first() == 81)
            w.bytes += dib;
    }
    w.setU32(48, quint32(w.bytes.size()));
    w.setU32(52, quint32(records.size() + 1));
    return w.bytes;
}

QByteArray tiffDirectoryFirst(int width, int height)
{
    Writer w;
    w.bytes = QByteArray("II*\0", 4);
    w.u32(8);
    const QList<QList<quint32>> entries = {{256, 4, quint32(width)},
                                           {257, 4, quint32(height)},
                                           {258, 3, 8},
                                           {259, 3, 1},
                                           {262, 3, 1},
                                           {273, 4, 0 /* below */},
                                           {277, 3, 1},
                                           {278, 4, quint32(height)},
                                           {279, 4, quint32(width * height)}};
    w.u16(quint32(entries.size()));
    qsizetype stripOffsetAt = 0;
    for (const QList<quint32>& e : entries) {
        w.u16(e[0]);
        w.u16(e[1]);
        w.u32(1);
        if (e[0] == 273)
            stripOffsetAt = w.bytes.size();
        if (e[1] == 3) {
            w.u16(e[2]);
            w.u16(0);
        } else {
            w.u32(e[2]);
        }
    }
    w.u32(0);
    w.setU32(stripOffsetAt, quint32(w.bytes.size()));
    w.bytes += QByteArray(qsizetype(width) * height, '\x80');
    return w.bytes;
}

QByteArray pngClaiming(quint32 width, quint32 height)
{
    Writer w;
    w.bytes = "\x89PNG\r\n\x1a\n";
    Writer header;
    header.be32(width);
    header.be32(height);
    header.bytes += QByteArray("\x08\x02\x00\x00\x00", 5);
    pngChunk(w, "IHDR", header.bytes);
    pngChunk(w, "IDAT", qCompress(QByteArray(64, '\0')).mid(4));
    pngChunk(w, "IEND", QByteArray());
    return w.bytes;
}

QByteArray bmpClaiming(qint32 width, qint32 height)
{
    Writer w;
    w.bytes = "BM";
    w.u32(54 + 64);
    w.u32(0);
    w.u32(54);
    w.u32(40);
    w.u32(quint32(width));
    w.u32(quint32(height));
    w.u16(1);
    w.u16(24);
    for (int i = 0; i < 6; ++i)
        w.u32(0);
    w.bytes += QByteArray(64, '\x7f');
    return w.bytes;
}

} // namespace samples
