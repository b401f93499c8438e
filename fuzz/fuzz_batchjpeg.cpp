// The batch tool's own way with JPEG photos, from any bytes that pass as a picture (as only
// those reach it): the header it judges by, and libjpeg's scaled decode with the rows
// averaged down to a size and turned as the photo's EXIF orientation says, straight into the
// compressor. The rows are as many as asked for, and the compressed photo decodes to the
// size asked for.
//
// Input: the bytes; the last one also chooses the size asked for, from a sixteenth of the
// picture to all of it.
#include "FuzzBudget.h"
#include "JpegEncoder.h"
#include "LeanJpegDecoder.h"
#include "Picture.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

namespace {

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz_batchjpeg: %s\n", what);
        std::abort();
    }
}

void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quiet);
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzBudget budget("fuzz_batchjpeg", size);
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const platform::Picture picture = platform::Picture::fromBytes(bytes);
    if (picture.formatName() != QLatin1String("jpeg"))
        return 0;
    const LeanJpegDecoder::Header header = LeanJpegDecoder::header(bytes);
    if (!header.readable)
        return 0;
    check(!header.stored.isEmpty() &&
              header.shown == (header.turn.testFlag(QImageIOHandler::TransformationRotate90)
                                   ? header.stored.transposed()
                                   : header.stored),
          "a header's sizes disagree");
    // A reduction decodes up to every pixel and averages each one; the averaging, a few
    // comparisons a pixel, is dearer than the decode under the fuzzer's comparison tracing:
    // about three decodes' worth. The compression and its check come on top, at the reduced
    // size; a turned photo's rows are gathered once more.
    const qint64 pixels = qint64(header.stored.width()) * header.stored.height();
    budget.allowDecodedPixels(pixels * (header.turned() ? 8 : 6));

    const int sixteenths = 1 + data[size - 1] % 16;
    const QSize shown(qMax(1, header.shown.width() * sixteenths / 16),
                      qMax(1, header.shown.height() * sixteenths / 16));
    JpegEncoder encoder(shown, JpegEncoder::kPrintQuality);
    int rows = 0;
    const bool reduced = LeanJpegDecoder::reduce(bytes, shown, header.turn, [&](const uchar* line) {
        ++rows;
        return encoder.add(line);
    });
    check(!reduced || rows == shown.height(), "a reduction gave the wrong number of rows");
    if (reduced) {
        const QByteArray jpeg = encoder.finish();
        check(!jpeg.isEmpty(), "a finished reduction did not compress");
        check(QImage::fromData(jpeg, "jpeg").size() == shown, "a compressed reduction has the wrong size");
    }
    return 0;
}
