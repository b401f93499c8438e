// Prints a cover set of four 24-megapixel photos to PDF at 600 dpi, once the way the program
// does (each picture reduced to the device pixels it covers) and once drawing the full
// decoded pictures unscaled, and reports time and file sizes.
//
//   bench_print [work folder]     (default: a temporary folder, removed afterwards)
#include "LangRuntime.h"
#include "Picture.h"
#include "PrintLayout.h"
#include "PrinterTarget.h"
#include "ProgramFolder.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <array>
#include <cstdio>

namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;
constexpr int kDpi = 600;

// Gradients, blobs and fine noise: compresses like a photo, not like a flat colour.
QImage photoLike(quint32 seed)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    quint32 state = seed * 2654435761u + 1;
    for (int y = 0; y < kHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kWidth; ++x) {
            state = state * 1664525u + 1013904223u;
            const int noise = int(state >> 27) - 16;
            const int r = (x * 255 / kWidth + int(seed) * 40 + noise) & 255;
            const int g = (y * 255 / kHeight + noise) & 255;
            const int b = ((x ^ y) / 16 + noise) & 255;
            line[x] = qRgb(r, g, b);
        }
    }
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 60; ++i) {
        state = state * 1664525u + 1013904223u;
        const QColor color = QColor::fromHsv(int(state % 360), 180, 220, 150);
        painter.setBrush(color);
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QPoint(int(state % kWidth), int((state >> 8) % kHeight)),
                            200 + int(state % 600), 150 + int((state >> 4) % 500));
    }
    return image;
}

std::unique_ptr<QPrinter> pdfPrinter(const QString& path)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setResolution(kDpi);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    return printer;
}

// The same sheets, each full picture decoded and drawn as it is (what a naive print does).
bool printUnscaled(const std::array<platform::Picture, kFaceCount>& pictures, const QString& path)
{
    const std::unique_ptr<QPrinter> printer = pdfPrinter(path);
    printer->setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(printer.get()))
        return false;
    const double x = printer->logicalDpiX() / 25.4;
    const double y = printer->logicalDpiY() / 25.4;
    const auto device = [&](const QRectF& mm) {
        return QRectF(mm.x() * x, mm.y() * y, mm.width() * x, mm.height() * y);
    };
    const QRectF places[kFaceCount] = {PrintLayout::kFrontRect, PrintLayout::kInsideRect,
                                       PrintLayout::kBackRect, PrintLayout::kCdRect};
    for (int face : {1, 0, 2, 3}) {
        if (face == 2 || face == 3)
            printer->newPage();
        painter.drawImage(device(places[face]), pictures[face].image());
        painter.drawRect(device(places[face]));
    }
    return painter.end();
}

double megabytes(qint64 bytes)
{
    return bytes / (1024.0 * 1024.0);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    lang::LangRuntime::instance().setDatabase(
        QStringLiteral(ORVELLA_SOURCE_DIR "/resources/Spoken.DBF"));
    lang::LangRuntime::instance().setCurrentLanguage(2);

    QTemporaryDir temporary;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path();
    QDir().mkpath(folder);

    QElapsedTimer timer;
    timer.start();
    std::array<platform::Picture, kFaceCount> pictures;
    qint64 sourceBytes = 0;
    for (int face = 0; face < kFaceCount; ++face) {
        const QString path = QDir(folder).filePath(QStringLiteral("face%1.jpg").arg(face));
        if (!photoLike(quint32(face + 1)).save(path, "JPEG", 90)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        sourceBytes += QFileInfo(path).size();
        pictures[face] = platform::Picture::fromFile(path);
        if (pictures[face].isNull()) {
            std::fprintf(stderr, "cannot load %s\n", qPrintable(path));
            return 1;
        }
    }
    std::printf("made four %dx%d JPEGs: %.1f MB in %lld ms\n", kWidth, kHeight,
                megabytes(sourceBytes), static_cast<long long>(timer.elapsed()));

    const std::array<bool, kFaceCount> all = {true, true, true, true};
    const PrintLayout layout(all, pictures, PrintLayout::captionsFrom(LangString));
    const QString pdf = QDir(folder).filePath(QStringLiteral("cover.pdf"));
    timer.restart();
    PrinterTarget target(pdfPrinter(pdf));
    const bool ok = layout.print(target);
    const qint64 printMs = timer.elapsed();
    const qint64 pdfBytes = QFileInfo(pdf).size();

    const QString naivePdf = QDir(folder).filePath(QStringLiteral("unscaled.pdf"));
    timer.restart();
    const bool naiveOk = printUnscaled(pictures, naivePdf);
    const qint64 naiveMs = timer.elapsed();
    const qint64 naiveBytes = QFileInfo(naivePdf).size();

    std::printf("print (pictures reduced to %d dpi): %s, %d pages, %lld ms, PDF %.1f MB = "
                "%.2fx the JPEGs\n",
                kDpi, ok ? "ok" : "FAILED", target.pageCount(), static_cast<long long>(printMs),
                megabytes(pdfBytes), double(pdfBytes) / double(sourceBytes));
    std::printf("full pictures drawn unscaled:        %s, %lld ms, PDF %.1f MB = %.2fx the "
                "JPEGs\n",
                naiveOk ? "ok" : "FAILED", static_cast<long long>(naiveMs), megabytes(naiveBytes),
                double(naiveBytes) / double(sourceBytes));
    std::printf("time ratio %.2f (target <= 1), size ratio %.2f (target <= 0.5)\n",
                double(printMs) / double(naiveMs), double(pdfBytes) / double(sourceBytes));
    return ok && naiveOk ? 0 : 1;
}
