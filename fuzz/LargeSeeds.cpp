#include "LargeSeeds.h"

#include "TestDatabase.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <QRandomGenerator>
#include <QtEndian>

#include <array>
#include <functional>

namespace largeseeds {

namespace {

QByteArray write(const QImage& image, const char* format,
                 const std::function<void(QImageWriter&)>& configure)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    configure(writer);
    return writer.write(image) ? bytes : QByteArray();
}

quint32 crc32(const QByteArray& bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char c : bytes) {
        crc ^= quint8(c);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray le(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray be32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

QByteArray pngChunk(const char* type, const QByteArray& data)
{
    const QByteArray typed = QByteArray(type) + data;
    return be32(quint32(data.size())) + typed + be32(crc32(typed));
}

} // namespace

QImage drawnPicture(const QSize& size, quint32 seed)
{
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator random(seed);
    const int w = size.width();
    const int h = size.height();
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int noise = int(random.bounded(48u)) - 24;
            line[x] = qRgb(qBound(0, 255 * x / w + noise, 255), qBound(0, 255 * y / h + noise, 255),
                           qBound(0, 128 + 127 * ((x / 16 + y / 16) % 2) - 64 + noise, 255));
        }
    }
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 12; ++i) {
        painter.setBrush(QColor::fromRgb(random.generate()));
        painter.drawEllipse(QPoint(int(random.bounded(quint32(w))), int(random.bounded(quint32(h)))),
                            w / 10, h / 10);
    }
    return image;
}

QByteArray multiStripTiff(const QImage& image, int rowsPerStrip)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const quint32 w = quint32(rgb.width());
    const quint32 h = quint32(rgb.height());
    QByteArray file("II*\0\0\0\0\0", 8); // the directory's offset is set at the end
    QList<quint32> offsets;
    QList<quint32> counts;
    for (quint32 y = 0; y < h; y += quint32(rowsPerStrip)) {
        offsets << quint32(file.size());
        const quint32 rows = qMin(quint32(rowsPerStrip), h - y);
        for (quint32 row = y; row < y + rows; ++row)
            file.append(reinterpret_cast<const char*>(rgb.constScanLine(int(row))), 3 * w);
        counts << 3 * w * rows;
    }
    const auto array = [&file](const QList<quint32>& values, int bytesEach) {
        const quint32 at = quint32(file.size());
        for (const quint32 v : values)
            file += le(v).first(bytesEach);
        return at;
    };
    const quint32 bits = array({8, 8, 8}, 2);
    const quint32 offsetsAt = array(offsets, 4);
    const quint32 countsAt = array(counts, 4);
    enum Type : quint32 { Short = 3, Long = 4 };
    const QList<std::array<quint32, 4>> entries = {
        {256, Long, 1, w},        {257, Long, 1, h},          {258, Short, 3, bits},
        {259, Short, 1, 1},       {262, Short, 1, 2},         {273, Long, quint32(offsets.size()), offsetsAt},
        {277, Short, 1, 3},       {278, Long, 1, quint32(rowsPerStrip)},
        {279, Long, quint32(counts.size()), countsAt},        {284, Short, 1, 1}};
    file.replace(4, 4, le(quint32(file.size())));
    file += le(quint32(entries.size())).first(2);
    for (const auto& [tag, type, count, value] : entries)
        file += le(tag).first(2) + le(type).first(2) + le(count) + le(value);
    return file + le(0); // no next directory
}

QByteArray progressiveJpeg(const QImage& image, int quality)
{
    return write(image, "jpeg", [quality](QImageWriter& writer) {
        writer.setQuality(quality);
        writer.setProgressiveScanWrite(true);
    });
}

QByteArray interlacedPng(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const int w = rgb.width();
    const int h = rgb.height();
    QByteArray header = be32(quint32(w)) + be32(quint32(h));
    header += QByteArray("\x08\x02\x00\x00\x01", 5); // 8 bits, RGB, deflate, filters, Adam7

    // The seven passes, each a picture of its own: rows of a filter byte (none) and pixels.
    struct Pass { int x0, y0, dx, dy; };
    constexpr Pass passes[] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                               {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    QByteArray raw;
    for (const Pass& pass : passes) {
        if (pass.x0 >= w)
            continue; // an empty pass has no rows at all, not even their filter bytes
        for (int y = pass.y0; y < h; y += pass.dy) {
            raw += '\0';
            const uchar* line = rgb.constScanLine(y);
            for (int x = pass.x0; x < w; x += pass.dx)
                raw.append(reinterpret_cast<const char*>(line + 3 * x), 3);
        }
    }
    // qCompress puts the length in front of the zlib stream; PNG holds the stream alone.
    const QByteArray zlib = qCompress(raw, 9).sliced(4);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", header) +
           pngChunk("IDAT", zlib) + pngChunk("IEND", {});
}

QByteArray siteList(qint64 bytes)
{
    QByteArray list;
    for (int i = 0; list.size() < bytes - 256; ++i) {
        list += "Cover archive " + QByteArray::number(i) + ";https://covers" +
                QByteArray::number(i % 97) + ".example/search?artist=" +
                QByteArray(i % 128 + 100, char('a' + i % 26)) + "&page=" + QByteArray::number(i) +
                "\r\n";
    }
    return list;
}

QByteArray coverSet(qint64 bytes)
{
    QByteArray file = "; a set passed through many hands\r\n[Print]\r\nFront=1\r\nBack=1\r\n";
    for (int i = 0; file.size() < bytes - 1024; ++i) {
        file += "[Notes" + QByteArray::number(i) + "]\r\n";
        for (int k = 0; k < 40; ++k) {
            file += "Track" + QByteArray::number(k) + "=" + QByteArray::number(i * 40 + k) +
                    ". A long, long concert recording, its performers, its hall and its date, "
                    "as whoever typed the list in wanted them kept\r\n";
        }
    }
    file += "[Files]\r\nImgFront=/pictures/front.jpg\r\nImgBack=relative/back.png\r\n"
            "[Files]\r\nImgCd=/not/read.emf\r\n";
    return file;
}

QByteArray cueSheet(int tracks, bool windows1252, qint64 padding)
{
    const QByteArray e = windows1252 ? QByteArray("\xE9") : QByteArray("\xC3\xA9");
    QByteArray sheet = "REM GENRE \"Chamber Music\"\r\nREM DATE 1987\r\nREM DISCID 8C0B7F0B\r\n"
                       "REM COMMENT \"ExactAudioCopy v1.6\"\r\nCATALOG 0724356789012\r\n"
                       "PERFORMER \"Ensemble de Caf" + e + " & the Long Names of Its Members\"\r\n"
                       "TITLE \"Soir" + e + "es: a Recording of Every Piece Played on the Night\"\r\n";
    for (int i = 0; sheet.size() < padding; ++i)
        sheet += "REM COMMENT \"note " + QByteArray::number(i) +
                 ": what the engineer kept of the session, microphones and the hall\"\r\n";
    sheet += "FILE \"Ensemble - Soir" + e + "es.flac\" WAVE\r\n";
    for (int n = 1; n <= tracks; ++n) {
        const QByteArray number = QByteArray::number(n).rightJustified(2, '0');
        const int start = n * 151 + n % 7; // seconds
        const auto time = [](int seconds, int frames) {
            return QByteArray::number(seconds / 60).rightJustified(2, '0') + ':' +
                   QByteArray::number(seconds % 60).rightJustified(2, '0') + ':' +
                   QByteArray::number(frames).rightJustified(2, '0');
        };
        sheet += "  TRACK " + number + " AUDIO\r\n    TITLE \"Movement " + number +
                 ": Allegro ma non troppo, un poco maestoso, with the long title the sleeve gives it "
                 "and its caf" + e + " of origin\"\r\n    PERFORMER \"Soloist " + number +
                 " with the Ensemble\"\r\n    ISRC GBAYE870" + number + "00\r\n"
                 "    INDEX 00 " + time(start - 2, n % 75) + "\r\n    INDEX 01 " +
                 time(start, (n * 7) % 75) + "\r\n";
    }
    return sheet;
}

QByteArray languageDatabase(int languages, int strings)
{
    QList<QByteArray> names;
    for (int i = 0; i < languages; ++i)
        names << "Language" + QByteArray::number(i);
    return TestDatabase::standard(names, strings).bytes();
}

} // namespace largeseeds
