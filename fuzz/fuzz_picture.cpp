// Picture loading from any bytes, for every kind the program takes (BMP, DIB, ICO, CUR, GIF,
// JPEG, PNG, TIFF, WebP, WMF, EMF): as a file's content, and as a header-less bitmap on the
// clipboard (image/bmp). A picture that loads is decoded as the program does: a small screen
// copy, drawn into a small target, and in full when it is of a sensible size.
//
// Input: the bytes.
#include "FuzzBudget.h"
#include "Picture.h"

#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>

#include <cstdio>
#include <cstdlib>

namespace {

// Full decodes of larger pictures cost seconds and hundreds of megabytes each, which tells
// nothing new: their decoding is the same as a small one's.
constexpr qint64 kFullDecodePixels = 4LL * 1000 * 1000;
const QSize kScreenCopy(64, 48);

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz_picture: %s\n", what);
        std::abort();
    }
}

bool g_verbose = false;

void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

// What the program decodes for a picture of `size`: the trial decode of a small one while
// loading, then as below.
void decode(FuzzBudget& budget, const char* how, const platform::Picture& picture)
{
    if (g_verbose) {
        std::fprintf(stderr, "%s: %s %dx%d\n", how,
                     picture.isNull() ? "(none)" : qPrintable(picture.formatName()),
                     picture.size().width(), picture.size().height());
    }
    if (picture.isNull())
        return;
    const QSize size = picture.size();
    check(size.width() >= 0 && size.height() >= 0, "a picture has a negative size");
    const qint64 pixels = qint64(size.width()) * size.height();
    const bool small = pixels <= kFullDecodePixels;
    budget.allowDecodedPixels(pixels * (small ? 4 : 2));
    const QImage copy = picture.scaledImage(kScreenCopy);
    check(copy.isNull() || copy.size() == kScreenCopy, "a screen copy has the wrong size");

    QImage target(kScreenCopy, QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::white);
    {
        QPainter painter(&target);
        picture.draw(painter, QRectF(QPointF(0, 0), kScreenCopy));
    }

    if (small)
        picture.image();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Qt's image plugins (TIFF, WebP) load only with a GUI application; no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // A codec's complaint about damaged input is no finding; ORVELLA_FUZZ_VERBOSE shows them,
    // and what each input loaded as.
    g_verbose = !qEnvironmentVariableIsEmpty("ORVELLA_FUZZ_VERBOSE");
    if (!g_verbose)
        qInstallMessageHandler(quiet);
    static int appArgc = *argc;
    static QGuiApplication* app = new QGuiApplication(appArgc, *argv);
    Q_UNUSED(app);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzBudget budget("fuzz_picture", size);
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    decode(budget, "file", platform::Picture::fromBytes(bytes));

    QMimeData clipboard;
    clipboard.setData(QStringLiteral("image/bmp"), bytes);
    decode(budget, "image/bmp", platform::Picture::fromMimeData(&clipboard));
    return 0;
}
