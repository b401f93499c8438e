// orvella-batch as a user runs it: a whole process printing a set of four 24-megapixel
// photos, three sheets, to a PDF at 600 dpi. Beside it, in the same run and on the same
// photos:
//  - the codec floor: decoding each photo at the scale the tool decodes it at and
//    compressing a face-sized picture at the tool's quality, in this process, one core,
//    with the same libjpeg;
//  - glabels-3-batch printing the same photos placed as the three sheets place them, when
//    it is installed (apt-get install glabels).
// Reports each ratio, the tool's processor time and peak memory, and the PDF against the
// photos' bytes.
//
//   bench_batch [runs] [folder]   (default 3 runs; the best time is reported. A folder
//                                  holding front.jpg, inside.jpg, back.jpg and cd.jpg is
//                                  used instead of the made photos.)
#include "BenchSupport.h"
#include "JpegEncoder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextStream>

#include <csetjmp>
#include <fcntl.h>
#include <cstdio>
#include <jpeglib.h>
#include <malloc.h>
#include <unistd.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cmath>
#include <vector>

namespace {

constexpr int kDpi = 600;
constexpr double kPeakTargetMb = 150;
constexpr double kSizeTarget = 0.35;
constexpr double kFloorTarget = 2.0;
const char* const kNames[] = {"front.jpg", "inside.jpg", "back.jpg", "cd.jpg"};
// Each face's picture on its sheet, in millimetres from the paper's corner (the printable
// area starts 10 pt in): sheet 1 holds the Inside and the Front, sheets 2 and 3 the Back
// and the CD.
constexpr double kOrigin = 10 * 25.4 / 72;
struct Placed
{
    int sheet;
    double x, y, w, h;
};
const Placed kPlaced[] = {{0, 140, 20, 120, 120}, {0, 20, 20, 120, 120}, {1, 20, 20, 150, 118},
                          {2, 20, 20, 150, 118}};

double megabytes(qint64 bytes)
{
    return bytes / (1024.0 * 1024.0);
}

struct Measured
{
    bool ok = false;
    double ms = 0;
    double cpuMs = 0;
    double peakMb = 0;
};

// Runs a program to its end, with its own resource use (not that of earlier children).
// A forked child starts with the resident memory of this process as its own, and the
// kernel keeps it in the child's peak across exec: this process stays small while it runs
// one (see ownResidentMb).
Measured runMeasured(const QString& program, const QStringList& args)
{
    std::vector<QByteArray> owned{QFile::encodeName(program)};
    for (const QString& arg : args)
        owned.push_back(arg.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& arg : owned)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    Measured result;
    QElapsedTimer timer;
    timer.start();
    const pid_t pid = fork();
    if (pid < 0)
        return result;
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        if (null >= 0)
            dup2(null, STDOUT_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return result;
    result.ms = timer.nsecsElapsed() / 1e6;
    result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    result.cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
                   (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
    result.peakMb = usage.ru_maxrss / 1024.0;
    return result;
}

struct Failure
{
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

[[noreturn]] void fail(j_common_ptr codec)
{
    std::longjmp(reinterpret_cast<Failure*>(codec->err)->jump, 1);
}

// The codec's own work for one photo and its face: decode at the smallest n/8 scale that
// covers the face's pixels, every scan line, then compress a face-sized picture of what was
// decoded at the tool's quality. The compressed bytes, or -1.
qint64 codecWork(const QByteArray& photo, int faceWidth, int faceHeight)
{
    jpeg_decompress_struct codec{};
    Failure failure{};
    codec.err = jpeg_std_error(&failure.manager);
    failure.manager.error_exit = fail;
    std::vector<uchar> pixels;
    if (setjmp(failure.jump)) {
        jpeg_destroy_decompress(&codec);
        return -1;
    }
    jpeg_create_decompress(&codec);
    jpeg_mem_src(&codec, reinterpret_cast<const unsigned char*>(photo.constData()),
                 static_cast<unsigned long>(photo.size()));
    jpeg_read_header(&codec, TRUE);
    codec.out_color_space = JCS_EXT_BGRX;
    for (unsigned int eighths = 1; eighths <= 8; ++eighths) {
        codec.scale_num = eighths;
        codec.scale_denom = 8;
        jpeg_calc_output_dimensions(&codec);
        if (int(codec.output_width) >= faceWidth && int(codec.output_height) >= faceHeight)
            break;
    }
    const size_t stride = size_t(codec.output_width) * 4;
    pixels.resize(stride * codec.output_height);
    jpeg_start_decompress(&codec);
    while (codec.output_scanline < codec.output_height) {
        JSAMPROW row = pixels.data() + stride * codec.output_scanline;
        jpeg_read_scanlines(&codec, &row, 1);
    }
    jpeg_finish_decompress(&codec);
    const int width = std::min(faceWidth, int(codec.output_width));
    const int height = std::min(faceHeight, int(codec.output_height));
    jpeg_destroy_decompress(&codec);

    JpegEncoder encoder(QSize(width, height), JpegEncoder::kPrintQuality);
    for (int y = 0; y < height; ++y)
        encoder.add(pixels.data() + stride * size_t(y));
    return encoder.finish().size();
}

int devicePixels(double mm)
{
    return int(std::ceil(mm * kDpi / 25.4));
}

// A glabels document of one sheet: the whole landscape A4 page is its one label, and each
// photo is an image object stretched over its face.
QByteArray glabelsSheet(int sheet, const QDir& photos)
{
    QByteArray out =
        "<?xml version=\"1.0\"?>\n"
        "<Glabels-document xmlns=\"http://glabels.org/xmlns/3.0/\" version=\"3.0\">\n"
        "  <Template brand=\"Orvella\" part=\"sheet\" size=\"Other\" width=\"297mm\" "
        "height=\"210mm\" description=\"sheet\">\n"
        "    <Meta category=\"label\"/>\n"
        "    <Label-rectangle id=\"0\" width=\"297mm\" height=\"210mm\" round=\"0mm\" "
        "x_waste=\"0mm\" y_waste=\"0mm\">\n"
        "      <Layout nx=\"1\" ny=\"1\" x0=\"0mm\" y0=\"0mm\" dx=\"297mm\" dy=\"210mm\"/>\n"
        "    </Label-rectangle>\n"
        "  </Template>\n"
        "  <Objects id=\"0\" rotate=\"False\">\n";
    for (int face = 0; face < 4; ++face) {
        const Placed& p = kPlaced[face];
        if (p.sheet != sheet)
            continue;
        out += QStringLiteral("    <Object-image x=\"%1mm\" y=\"%2mm\" w=\"%3mm\" h=\"%4mm\" "
                              "src=\"%5\" lock_aspect_ratio=\"False\" a0=\"1\" a1=\"0\" "
                              "a2=\"0\" a3=\"1\" a4=\"0\" a5=\"0\"/>\n")
                   .arg(kOrigin + p.x)
                   .arg(kOrigin + p.y)
                   .arg(p.w)
                   .arg(p.h)
                   .arg(photos.filePath(QString::fromLatin1(kNames[face])).toHtmlEscaped())
                   .toUtf8();
    }
    out += "  </Objects>\n</Glabels-document>\n";
    return out;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char* argv[])
{
    // Freed buffers go back to the system at once, so that this process is small whenever
    // it starts a child (runMeasured).
    mallopt(M_MMAP_THRESHOLD, 1024 * 1024);
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, atoi(argv[1])) : 3;
    QTemporaryDir dir;
    // The tool reads the saved language: keep the user's settings out of it.
    qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toLocal8Bit());

    QDir photos(dir.path());
    if (argc > 2) {
        photos = QDir(QString::fromLocal8Bit(argv[2]));
        std::printf("Photos from %s\n", qPrintable(photos.absolutePath()));
    } else {
        std::printf("Making four 6000 x 4000 JPEG files...\n");
        for (int i = 0; i < 4; ++i) {
            const QString path = photos.filePath(QString::fromLatin1(kNames[i]));
            if (!bench::writeJpeg(bench::photoLike(6000, 4000, quint32(i + 1)), path)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
                return 1;
            }
        }
    }
    qint64 jpegBytes = 0;
    for (const char* name : kNames)
        jpegBytes += QFileInfo(photos.filePath(QString::fromLatin1(name))).size();
    const QString set = dir.filePath(QStringLiteral("set.ovc"));
    QByteArray setText = "[Files]\r\n";
    const char* keys[] = {"ImgFront", "ImgInside", "ImgBack", "ImgCd"};
    for (int i = 0; i < 4; ++i)
        setText += QByteArray(keys[i]) + '=' +
                   QFile::encodeName(photos.filePath(QString::fromLatin1(kNames[i]))) + "\r\n";
    if (!writeFile(set, setText))
        return 1;
    const QString pdf = dir.filePath(QStringLiteral("set.pdf"));

    // The three, taking turns run by run, so that a change in the machine's load falls on
    // all of them alike.
    const QString glabels = QStandardPaths::findExecutable(QStringLiteral("glabels-3-batch"));
    QStringList glabelsDocs;
    for (int sheet = 0; sheet < 3 && !glabels.isEmpty(); ++sheet) {
        glabelsDocs << dir.filePath(QStringLiteral("sheet%1.glabels").arg(sheet + 1));
        if (!writeFile(glabelsDocs.last(), glabelsSheet(sheet, photos)))
            return 1;
    }
    std::vector<double> ours, floors, theirs;
    double ourCpu = 0, ourPeak = 0, theirPeak = 0, ownMb = 0;
    qint64 floorBytes = 0;
    for (int run = 0; run < runs; ++run) {
        QFile::remove(pdf);
        const Measured batch = runMeasured(QStringLiteral(ORVELLA_BATCH),
                                           {QStringLiteral("--dpi"), QString::number(kDpi),
                                            QStringLiteral("--output"), pdf, set});
        if (!batch.ok) {
            std::fprintf(stderr, "orvella-batch failed\n");
            return 1;
        }
        ours.push_back(batch.ms);
        ownMb = std::max(ownMb, bench::statusMegabytes("VmRSS:"));
        ourCpu += batch.cpuMs;
        ourPeak = std::max(ourPeak, batch.peakMb);

        floorBytes = 0;
        // The files are read before the clock starts, and let go before the next child.
        std::vector<QByteArray> photoBytes;
        for (const char* name : kNames) {
            QFile file(photos.filePath(QString::fromLatin1(name)));
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(file.fileName()));
                return 1;
            }
            photoBytes.push_back(file.readAll());
        }
        QElapsedTimer timer;
        timer.start();
        for (int face = 0; face < 4; ++face) {
            const qint64 bytes = codecWork(photoBytes[size_t(face)], devicePixels(kPlaced[face].w),
                                           devicePixels(kPlaced[face].h));
            if (bytes < 0) {
                std::fprintf(stderr, "%s is no JPEG libjpeg reads\n", kNames[face]);
                return 1;
            }
            floorBytes += bytes;
        }
        floors.push_back(timer.nsecsElapsed() / 1e6);

        if (!glabels.isEmpty()) {
            double total = 0;
            for (const QString& doc : std::as_const(glabelsDocs)) {
                const Measured sheet = runMeasured(
                    glabels, {QStringLiteral("-o"), dir.filePath(QStringLiteral("glabels.pdf")), doc});
                if (!sheet.ok) {
                    std::fprintf(stderr, "glabels-3-batch failed on %s\n", qPrintable(doc));
                    return 1;
                }
                total += sheet.ms;
                theirPeak = std::max(theirPeak, sheet.peakMb);
            }
            theirs.push_back(total);
        }
    }
    const auto best = [](const std::vector<double>& times) {
        return *std::min_element(times.begin(), times.end());
    };
    const auto list = [](const std::vector<double>& times) {
        QString out;
        for (double t : times)
            out += QStringLiteral(" %1").arg(t, 0, 'f', 0);
        return out;
    };
    const double ourMs = best(ours);
    const double floorMs = best(floors);
    const qint64 pdfBytes = QFileInfo(pdf).size();

    std::printf("photos: %.1f MB of JPEG\n", megabytes(jpegBytes));
    std::printf("orvella-batch, 3 sheets at %d dpi, best of %d: %.0f ms (runs:%s)\n", kDpi, runs,
                ourMs, qPrintable(list(ours)));
    std::printf("  processor time (user + system) per run: %.0f ms = %.2f cores busy\n",
                ourCpu / runs, ourCpu / runs / ourMs);
    std::printf("  peak memory of the process: %.0f MB (target <= %.0f; this benchmark held "
                "%.0f MB when it started it, below which a peak cannot be told)\n",
                ourPeak, kPeakTargetMb, ownMb);
    std::printf("  PDF: %.1f MB = %.3fx the JPEG bytes (target <= %.2f)\n", megabytes(pdfBytes),
                double(pdfBytes) / double(jpegBytes), kSizeTarget);
    std::printf("codec floor (scaled decode + compression at quality %d, one core), best of %d: "
                "%.0f ms (runs:%s); its pictures %.1f MB\n",
                JpegEncoder::kPrintQuality, runs, floorMs, qPrintable(list(floors)),
                megabytes(floorBytes));
    std::printf("  orvella-batch / codec floor: %.2fx (target <= %.1f)\n", ourMs / floorMs,
                kFloorTarget);
    if (theirs.empty()) {
        std::printf("glabels-3-batch is not installed (apt-get install glabels): no ratio to it\n");
    } else {
        std::printf("glabels-3-batch, the same photos on the same three sheets, best of %d: %.0f "
                    "ms (runs:%s), peak %.0f MB\n",
                    runs, best(theirs), qPrintable(list(theirs)), theirPeak);
        std::printf("  orvella-batch / glabels-3-batch: %.3fx\n", ourMs / best(theirs));
    }
    return 0;
}
