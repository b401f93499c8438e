#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

#include <memory>

// Compresses rows of a picture as they come into a JPEG held in memory, with libjpeg
// directly: the quality is ours to choose, and a reduced photo never has to be held whole
// to be compressed. Rows are 4 bytes a pixel, blue, green, red and an unused byte.
class JpegEncoder
{
public:
    // The quality pictures are written to a PDF with. At 600 dpi a JPEG block is a third of
    // a millimetre: at this quality a reduced photo printed is not told from one written at
    // Qt's 94, and its file is about half as large (the batch benchmark and the README say
    // how this was judged).
    static constexpr int kPrintQuality = 88;

    JpegEncoder(const QSize& size, int quality);
    ~JpegEncoder();
    JpegEncoder(const JpegEncoder&) = delete;
    JpegEncoder& operator=(const JpegEncoder&) = delete;

    // The next row, `size.width()` pixels. False once the compressor failed.
    bool add(const uchar* line);
    // The file, once every row was added; empty on any failure.
    QByteArray finish();

    // A whole picture at once (any format; converted as needed). Empty on failure.
    static QByteArray encode(const QImage& image, int quality);

private:
    struct State;
    std::unique_ptr<State> m_state;
};
