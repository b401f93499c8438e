#include "JpegEncoder.h"

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE
#include <cstdlib>
#include <jpeglib.h>

struct JpegEncoder::State
{
    jpeg_compress_struct codec{};
    jpeg_error_mgr manager{};
    std::jmp_buf jump{};
    unsigned char* buffer = nullptr;
    unsigned long bytes = 0;
    int rowsLeft = 0;
    bool failed = false;
};

namespace {

[[noreturn]] void fail(j_common_ptr codec)
{
    // The codec's client data is the jump point of the call in progress.
    std::longjmp(*static_cast<std::jmp_buf*>(codec->client_data), 1);
}

} // namespace

JpegEncoder::JpegEncoder(const QSize& size, int quality) : m_state(std::make_unique<State>())
{
    State& s = *m_state;
    s.codec.err = jpeg_std_error(&s.manager);
    s.manager.error_exit = fail;
    s.codec.client_data = &s.jump;
    if (setjmp(s.jump)) {
        s.failed = true;
        return;
    }
    jpeg_create_compress(&s.codec);
    if (size.isEmpty()) {
        s.failed = true;
        return;
    }
    jpeg_mem_dest(&s.codec, &s.buffer, &s.bytes);
    s.codec.image_width = JDIMENSION(size.width());
    s.codec.image_height = JDIMENSION(size.height());
    s.codec.input_components = 4;
    s.codec.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&s.codec);
    jpeg_set_quality(&s.codec, quality, TRUE);
    jpeg_start_compress(&s.codec, TRUE);
    s.rowsLeft = size.height();
}

JpegEncoder::~JpegEncoder()
{
    jpeg_destroy_compress(&m_state->codec);
    std::free(m_state->buffer);
}

bool JpegEncoder::add(const uchar* line)
{
    State& s = *m_state;
    if (s.failed || s.rowsLeft <= 0)
        return false;
    if (setjmp(s.jump)) {
        s.failed = true;
        return false;
    }
    JSAMPROW row = const_cast<uchar*>(line);
    jpeg_write_scanlines(&s.codec, &row, 1);
    --s.rowsLeft;
    return true;
}

QByteArray JpegEncoder::finish()
{
    State& s = *m_state;
    if (s.failed || s.rowsLeft != 0)
        return QByteArray();
    if (setjmp(s.jump)) {
        s.failed = true;
        return QByteArray();
    }
    jpeg_finish_compress(&s.codec);
    s.failed = true; // nothing more can be added
    return QByteArray(reinterpret_cast<const char*>(s.buffer), qsizetype(s.bytes));
}

QByteArray JpegEncoder::encode(const QImage& image, int quality)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    if (rgb.isNull())
        return QByteArray();
    JpegEncoder encoder(rgb.size(), quality);
    for (int y = 0; y < rgb.height(); ++y) {
        if (!encoder.add(rgb.constScanLine(y)))
            return QByteArray();
    }
    return encoder.finish();
}
