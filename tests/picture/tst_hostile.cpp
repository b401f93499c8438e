// Picture files made to mislead the readers: whatever they claim, a picture shows only
// what its file holds, or is refused.
#include "DecodeGate.h"
#include "Picture.h"
#include "PictureSamples.h"

#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QMimeData>
#include <QSet>
#include <QTest>
#include <QtEndian>

#include <sys/resource.h>

#include <cstdio>

using platform::Picture;

namespace {

void put16(QByteArray& b, qsizetype at, quint16 v)
{
    qToLittleEndian(v, b.data() + at);
}

void put32(QByteArray& b, qsizetype at, quint32 v)
{
    qToLittleEndian(v, b.data() + at);
}

// An 8-bit (or 4-bit) bitmap with the given colour table and pixel data, bottom-up.
QByteArray bitmap(int width, int height, int bits, const QList<QRgb>& table,
                  const QByteArray& pixels, quint32 compression = 0)
{
    const int headerEnd = 14 + 40;
    const int offset = headerEnd + int(table.size()) * 4;
    QByteArray b(offset, '\0');
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 10, quint32(offset));
    put32(b, 14, 40);
    put32(b, 18, quint32(width));
    put32(b, 22, quint32(height));
    put16(b, 26, 1);
    put16(b, 28, quint16(bits));
    put32(b, 30, compression);
    put32(b, 34, quint32(pixels.size()));
    put32(b, 46, quint32(table.size()));
    for (qsizetype i = 0; i < table.size(); ++i)
        put32(b, headerEnd + i * 4, table[i] & 0xFFFFFF);
    b += pixels;
    put32(b, 2, quint32(b.size()));
    return b;
}

QSet<QRgb> colours(const QImage& image)
{
    QSet<QRgb> found;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y) {
        for (int x = 0; x < rgb.width(); ++x)
            found.insert(rgb.pixel(x, y) & 0xFFFFFF);
    }
    return found;
}

QStringList regressionFiles()
{
    QStringList files;
    QDirIterator it(QStringLiteral(ORVELLA_SOURCE_DIR "/fuzz/regressions"), QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (platform::isPictureFileName(path))
            files.append(path);
    }
    files.sort();
    return files;
}

// What loading one picture file costs, measured in a process of its own so that nothing
// else the tests did counts: processor time and the growth of the resident set to its peak.
// Image plugins are loaded before the clock starts; they cost the same for every file.
constexpr char kCostProbe[] = "ORVELLA_PICTURE_COST_PROBE";

qint64 residentKb()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * 4 : 0;
}

double processorSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

int probeCost(const QString& path)
{
    Picture::fromBytes(samples::encode(samples::twoColours(), "png")).image();
    const qint64 before = residentKb();
    const double start = processorSeconds();
    const Picture picture = Picture::fromFile(path);
    if (!picture.isNull()) {
        picture.scaledImage(QSize(32, 24));
        picture.image();
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const qint64 pixels = qint64(picture.size().width()) * picture.size().height();
    std::printf("%f %lld %lld\n", processorSeconds() - start, qint64(usage.ru_maxrss) - before,
                picture.isNull() ? 0LL : pixels);
    return 0;
}

} // namespace

class TestHostilePictures : public QObject
{
    Q_OBJECT

private slots:
    void regressions_data();
    void regressions();
    void shortColourTable();
    void runLengthSkippedPixels_data();
    void runLengthSkippedPixels();
    void headerSizes_data();
    void headerSizes();
    void tinyFileClaimingVastPicture();
    void wmfLargestRecordClaim();
    void wmfScanLinesOutsideBitmap();
    void regressionsCostNoMoreThanTheirFiles_data() { regressions_data(); }
    void regressionsCostNoMoreThanTheirFiles();
};

void TestHostilePictures::regressions_data()
{
    QTest::addColumn<QString>("path");
    const QStringList files = regressionFiles();
    QVERIFY2(files.size() >= 9, "the picture regressions are missing");
    for (const QString& path : files)
        QTest::newRow(qPrintable(QFileInfo(path).fileName())) << path;
}

// Each either loads and decodes to its own size or is refused; none holds decode memory
// afterwards, and the ones that only claim a vast picture are refused outright.
void TestHostilePictures::regressions()
{
    QFETCH(QString, path);
    const Picture picture = Picture::fromFile(path);
    if (path.contains(QLatin1String("claims")) || path.contains(QLatin1String("unknown-header")) ||
        path.contains(QLatin1String("huge")))
        QVERIFY(picture.isNull());
    if (!picture.isNull()) {
        QCOMPARE(picture.scaledImage(QSize(32, 24)).size(), QSize(32, 24));
        if (qint64(picture.size().width()) * picture.size().height() <= 4000000)
            QCOMPARE(picture.image().size(), picture.size());
    }
    QCOMPARE(platform::DecodeGate::heldBytes(), qint64(0));
}

// Indices past a two-colour table show black, never bytes after the table; the same for a
// header-less bitmap from the clipboard.
void TestHostilePictures::shortColourTable()
{
    QByteArray pixels(16 * 16, '\0');
    for (int i = 0; i < pixels.size(); ++i)
        pixels[i] = char(i);
    const QByteArray file = bitmap(16, 16, 8, {qRgb(255, 0, 0), qRgb(0, 0, 255)}, pixels);
    const QSet<QRgb> allowed{0xFF0000, 0x0000FF, 0x000000};

    const Picture fromFile = Picture::fromBytes(file);
    QVERIFY(!fromFile.isNull());
    QCOMPARE(colours(fromFile.image()) - allowed, QSet<QRgb>());
    QVERIFY(colours(fromFile.image()).contains(0x0000FF));

    QMimeData mime;
    mime.setData(QStringLiteral("image/bmp"), file.mid(14));
    const Picture fromClipboard = Picture::fromMimeData(&mime);
    QVERIFY(!fromClipboard.isNull());
    QCOMPARE(fromClipboard.image(), fromFile.image());
}

void TestHostilePictures::runLengthSkippedPixels_data()
{
    QTest::addColumn<int>("bits");
    QTest::addColumn<QByteArray>("data");
    // Bottom row: two pixels of colour 1, then a jump over the rest and a row, and the end
    // long before the top row. Everything the data skips or never reaches takes colour 0.
    QTest::newRow("rle8") << 8 << QByteArray::fromHex("0201" "00020201" "0000" "0001");
    QTest::newRow("rle4") << 4 << QByteArray::fromHex("0211" "00020201" "0000" "0001");
    QTest::newRow("rle8 absolute run") << 8 << QByteArray::fromHex("00030101010000010001");
}

void TestHostilePictures::runLengthSkippedPixels()
{
    QFETCH(int, bits);
    QFETCH(QByteArray, data);
    const QList<QRgb> table{qRgb(0, 200, 0), qRgb(200, 0, 0)};
    const QByteArray file = bitmap(4, 3, bits, table, data, bits == 8 ? 1 : 2);
    const Picture picture = Picture::fromBytes(file);
    QVERIFY(!picture.isNull());
    const QImage image = picture.image().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(image.size(), QSize(4, 3));
    QCOMPARE(image.pixel(0, 2) & 0xFFFFFF, 0xC80000u); // bottom-left: colour 1
    const QSet<QRgb> table8{0x00C800, 0xC80000};
    QCOMPARE(colours(image) - table8, QSet<QRgb>());
    QCOMPARE(image.pixel(3, 0) & 0xFFFFFF, 0x00C800u); // never reached: colour 0
}

void TestHostilePictures::headerSizes_data()
{
    QTest::addColumn<quint32>("headerSize");
    QTest::addColumn<bool>("loads");
    QTest::newRow("40") << 40u << true;
    QTest::newRow("41") << 41u << false;
    QTest::newRow("0x01080050") << 0x01080050u << false;
    QTest::newRow("0") << 0u << false;
}

void TestHostilePictures::headerSizes()
{
    QFETCH(quint32, headerSize);
    QFETCH(bool, loads);
    QByteArray file = samples::encode(samples::twoColours(), "bmp");
    put32(file, 14, headerSize);
    QCOMPARE(!Picture::fromBytes(file).isNull(), loads);
}

// 36 bytes of GIF cannot hold a 10000 x 10000 picture; decoding it would cost 400 MB.
void TestHostilePictures::tinyFileClaimingVastPicture()
{
    QByteArray gif = samples::gif(samples::twoColours(QSize(4, 4)));
    QVERIFY(!Picture::fromBytes(gif).isNull());
    put16(gif, 6, 10000); // the screen
    put16(gif, 8, 10000);
    const qsizetype image = gif.indexOf(char(0x2C), 13);
    put16(gif, image + 5, 10000);
    put16(gif, image + 7, 10000);
    QVERIFY(Picture::fromBytes(gif).isNull());
}

// libwmf reserves the largest record the header names without checking it against the file.
void TestHostilePictures::wmfLargestRecordClaim()
{
    QByteArray wmf = samples::wmf(true, 1440, 720);
    const Picture plain = Picture::fromBytes(wmf);
    QVERIFY(!plain.isNull());
    put32(wmf, 22 + 12, 0x6F63692D);
    const Picture claimed = Picture::fromBytes(wmf);
    QVERIFY(!claimed.isNull());
    QCOMPARE(claimed.scaledImage(QSize(40, 20)), plain.scaledImage(QSize(40, 20)));
}

// A record that sets scan lines its bitmap does not have is refused with its file.
void TestHostilePictures::wmfScanLinesOutsideBitmap()
{
    QString path;
    const QStringList files = regressionFiles();
    for (const QString& candidate : files) {
        if (candidate.endsWith(QLatin1String("wmf-setdibtodev-huge-scan.wmf")))
            path = candidate;
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    QVERIFY(Picture::fromBytes(bytes).isNull());
    // The same record setting the bitmap's four lines from line 0 is drawn.
    const qsizetype record = 24; // after the header and a three-word record
    put16(bytes, record + 8, 4);
    put16(bytes, record + 10, 0);
    QVERIFY(!Picture::fromBytes(bytes).isNull());
}


// Whatever a file holds, checking and showing it costs no more than 2 s of processor time a
// megabyte and 64 MB plus 16 times its size in memory (a tenth of a second is allowed for the
// fixed work of any load, in a build without optimisation, and 20 ns for each pixel of each of
// its two decodes: a 43 KB drawing of 12 megapixels rightly asks for them).
void TestHostilePictures::regressionsCostNoMoreThanTheirFiles()
{
    QFETCH(QString, path);
    const double megabytes = double(QFileInfo(path).size()) / (1024 * 1024);
    QProcess probe;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QLatin1String(kCostProbe), path);
    probe.setProcessEnvironment(env);
    probe.start(QCoreApplication::applicationFilePath(), {});
    QVERIFY2(probe.waitForFinished(int((0.1 + 2 * megabytes) * 1000) + 30000), "the load ran away");
    const QList<QByteArray> cost = probe.readAllStandardOutput().trimmed().split(' ');
    QCOMPARE(cost.size(), 3);
    const double secondsAllowed = 0.1 + 2 * megabytes + 2 * 20e-9 * cost[2].toDouble();
    const double seconds = cost[0].toDouble();
    const double peakMb = cost[1].toDouble() / 1024;
    QVERIFY2(seconds <= secondsAllowed, qPrintable(QString::number(seconds) + QLatin1String(" s")));
    QVERIFY2(peakMb <= 64 + 16 * megabytes, qPrintable(QString::number(peakMb) + QLatin1String(" MB")));
}

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (qEnvironmentVariableIsSet(kCostProbe))
        return probeCost(qEnvironmentVariable(kCostProbe));
    TestHostilePictures test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_hostile.moc"
