#include "LeanJpegDecoder.h"

#include <QBuffer>
#include <QImageReader>

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE
#include <jpeglib.h>
#include <cstring>
#include <vector>

namespace {

struct Failure
{
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void fail(j_common_ptr codec)
{
    std::longjmp(reinterpret_cast<Failure*>(codec->err)->jump, 1);
}

void quiet(j_common_ptr, int) {} // a damaged photo decodes as far as it goes, as Qt's does

// Faults jump to `failure`; warnings are not shown.
void handleFaults(jpeg_decompress_struct& codec, Failure& failure)
{
    codec.err = jpeg_std_error(&failure.manager);
    failure.manager.error_exit = fail;
    failure.manager.emit_message = quiet;
}

// Creates the codec over `bytes` and reads the header; true when it is one this reads.
bool readHeader(jpeg_decompress_struct& codec, const QByteArray& bytes)
{
    jpeg_create_decompress(&codec);
    jpeg_mem_src(&codec, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    return jpeg_read_header(&codec, TRUE) == JPEG_HEADER_OK &&
           (codec.jpeg_color_space == JCS_GRAYSCALE || codec.jpeg_color_space == JCS_YCbCr ||
            codec.jpeg_color_space == JCS_RGB);
}

// A size seen the other way round when the orientation holds a quarter turn: shown from
// stored, or stored from shown.
QSize turnedSize(const QSize& size, QImageIOHandler::Transformations turn)
{
    return turn.testFlag(QImageIOHandler::TransformationRotate90) ? size.transposed() : size;
}

QImageIOHandler::Transformations probeTurn(const QByteArray& bytes, bool* ok)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader probe(&buffer, "jpeg");
    probe.setAutoTransform(true);
    *ok = probe.canRead();
    return *ok ? probe.transformation() : QImageIOHandler::TransformationNone;
}

// The decoding proper, kept apart so that nothing with a destructor lives across the jump:
// the stored rows reduced to `size`, in the file's own orientation.
bool decodeReduced(const QByteArray& bytes, const QSize& size, const BoxReducer::Rows& rows)
{
    jpeg_decompress_struct codec{};
    Failure failure{};
    handleFaults(codec, failure);
    // Set before the jump point, read after it: kept out of registers.
    BoxReducer* volatile reducer = nullptr;
    uchar* volatile line = nullptr;
    if (setjmp(failure.jump)) {
        delete reducer;
        delete[] line;
        jpeg_destroy_decompress(&codec);
        return false;
    }
    if (!readHeader(codec, bytes)) {
        jpeg_destroy_decompress(&codec);
        return false;
    }
    codec.out_color_space = JCS_EXT_BGRX;
    // What libjpeg may hold is bounded as every reading of a picture is: 64 MB plus 16 times
    // the file (a 24-megapixel progressive photo's 72 MB is well within that). A file that
    // claims more is no photo this decoder reads; libjpeg says so instead of allocating.
    codec.mem->max_memory_to_use = long(LeanJpegDecoder::kMemoryFloor + 16 * qint64(bytes.size()));
    // The smallest scale whose result still covers the size asked for on both sides.
    for (unsigned int eighths = 1; eighths <= 8; ++eighths) {
        codec.scale_num = eighths;
        codec.scale_denom = 8;
        jpeg_calc_output_dimensions(&codec);
        if (int(codec.output_width) >= size.width() && int(codec.output_height) >= size.height())
            break;
    }
    const QSize decoded(int(codec.output_width), int(codec.output_height));
    if (!BoxReducer::canReduce(decoded, size)) {
        jpeg_destroy_decompress(&codec);
        return false;
    }
    reducer = new BoxReducer(decoded, size, rows);
    line = new uchar[size_t(decoded.width()) * 4]();
    jpeg_start_decompress(&codec);
    bool going = true;
    while (going && codec.output_scanline < codec.output_height) {
        JSAMPROW row = line;
        if (jpeg_read_scanlines(&codec, &row, 1) != 1)
            break;
        going = reducer->add(line);
    }
    // Should the codec give out early, the rows it did not give repeat its last one, so that
    // the picture still has its size.
    for (JDIMENSION rest = codec.output_scanline; going && rest < codec.output_height; ++rest)
        going = reducer->add(line);
    if (going)
        jpeg_abort_decompress(&codec);
    delete reducer;
    delete[] line;
    jpeg_destroy_decompress(&codec);
    return going;
}

} // namespace

LeanJpegDecoder::Header LeanJpegDecoder::header(const QByteArray& bytes)
{
    bool ok = false;
    const QImageIOHandler::Transformations turn = probeTurn(bytes, &ok);
    if (!ok)
        return Header();
    jpeg_decompress_struct codec{};
    Failure failure{};
    handleFaults(codec, failure);
    if (setjmp(failure.jump)) {
        jpeg_destroy_decompress(&codec);
        return Header();
    }
    const bool readable = readHeader(codec, bytes);
    const QSize stored(int(codec.image_width), int(codec.image_height));
    qint64 coefficients = 0;
    if (readable && jpeg_has_multiple_scans(&codec)) {
        for (int c = 0; c < codec.num_components; ++c)
            coefficients += qint64(codec.comp_info[c].width_in_blocks) *
                            codec.comp_info[c].height_in_blocks * DCTSIZE2 * qint64(sizeof(JCOEF));
    }
    jpeg_destroy_decompress(&codec);
    if (stored.isEmpty())
        return Header();
    return Header{stored, turnedSize(stored, turn), turn, readable,
                  coefficients + qint64(stored.width()) * 4 * 16};
}

bool LeanJpegDecoder::reduce(const QByteArray& bytes, const QSize& size,
                             QImageIOHandler::Transformations turn, const BoxReducer::Rows& rows)
{
    if (size.isEmpty())
        return false;
    if (turn == QImageIOHandler::TransformationNone)
        return decodeReduced(bytes, size, rows);

    QImage stored(turnedSize(size, turn), QImage::Format_RGB32);
    if (stored.isNull())
        return false;
    int y = 0;
    const size_t rowBytes = size_t(stored.width()) * 4;
    if (!decodeReduced(bytes, stored.size(), [&stored, &y, rowBytes](const uchar* line) {
            std::memcpy(stored.scanLine(y++), line, rowBytes);
            return true;
        }))
        return false;
    // As Qt's reader turns a photo: mirrored first, then a quarter turn clockwise, whose row
    // y is the mirrored picture's column y read from the bottom up.
    const bool mirror = turn.testFlag(QImageIOHandler::TransformationMirror);
    const bool flip = turn.testFlag(QImageIOHandler::TransformationFlip);
    const bool quarter = turn.testFlag(QImageIOHandler::TransformationRotate90);
    const int w = stored.width();
    const int h = stored.height();
    std::vector<QRgb> line(size_t(size.width()));
    for (int row = 0; row < size.height(); ++row) {
        for (int x = 0; x < size.width(); ++x) {
            const int mx = quarter ? row : x;
            const int my = quarter ? h - 1 - x : row;
            const int sx = mirror ? w - 1 - mx : mx;
            const int sy = flip ? h - 1 - my : my;
            line[size_t(x)] = reinterpret_cast<const QRgb*>(stored.constScanLine(sy))[sx];
        }
        if (!rows(reinterpret_cast<const uchar*>(line.data())))
            return false;
    }
    return true;
}

QImage LeanJpegDecoder::scaled(const QByteArray& bytes, const QSize& size)
{
    bool ok = false;
    const QImageIOHandler::Transformations turn = probeTurn(bytes, &ok);
    if (!ok || size.isEmpty())
        return QImage();
    QImage out(size, QImage::Format_RGB32);
    if (out.isNull())
        return QImage();
    int y = 0;
    const size_t rowBytes = size_t(out.width()) * 4;
    const bool done = reduce(bytes, size, turn, [&out, &y, rowBytes](const uchar* line) {
        std::memcpy(out.scanLine(y++), line, rowBytes);
        return true;
    });
    return done && y == out.height() ? out : QImage();
}
