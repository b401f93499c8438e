#include "Picture.h"
#include "PictureSamples.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QImageWriter>
#include <QMimeData>
#include <QPainter>
#include <QPdfWriter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <memory>

using platform::Picture;

struct Sample
{
    QString fileName;
    QByteArray bytes;
    Picture::Kind kind;
    QSize size;
    QString formatName;
};
Q_DECLARE_METATYPE(Sample)

namespace {

// One file of every kind the program reads.
QList<Sample> allSamples()
{
    const QImage image = samples::twoColours();
    const QSize size = image.size();
    const QByteArray bmp = samples::encode(image, "bmp");
    const QByteArray ico = samples::encode(image, "ico");
    using K = Picture::Kind;
    return {
        {"a.bmp", bmp, K::Bitmap, size, "bmp"},
        {"a.jpg", samples::encode(image, "jpeg"), K::Bitmap, size, "jpeg"},
        {"a.gif", samples::gif(image), K::Bitmap, size, "gif"},
        {"a.dib", bmp, K::Bitmap, size, "bmp"},
        {"a.png", samples::encode(image, "png"), K::Bitmap, size, "png"},
        {"a.tif", samples::encode(image, "tiff"), K::Bitmap, size, "tiff"},
        {"a.webp", samples::encode(image, "webp"), K::Bitmap, size, "webp"},
        {"a.ico", ico, K::Bitmap, size, "ico"},
        {"a.cur", samples::cursorFrom(ico), K::Bitmap, size, "cur"},
        // 1440 x 720 units at 1440 an inch: one inch by half an inch.
        {"a.wmf", samples::wmf(true, 1440, 720), K::Metafile, QSize(96, 48), "wmf"},
        {"scaled.wmf", samples::wmf(true, 1440, 720, 1440, {}, 3), K::Metafile, QSize(96, 48),
         "wmf"},
        {"a.emf", samples::emf(200, 100), K::Metafile, QSize(200, 100), "emf"},
    };
}

bool near(const QColor& actual, const QColor& expected)
{
    return qAbs(actual.red() - expected.red()) < 48 &&
           qAbs(actual.green() - expected.green()) < 48 &&
           qAbs(actual.blue() - expected.blue()) < 48;
}

// Whether the image shows the sample's picture: red on the left, blue on the right (a
// metafile sample is red all over).
bool showsSample(const QImage& image, Picture::Kind kind)
{
    if (image.isNull())
        return false;
    const int y = image.height() / 2;
    const QColor right = kind == Picture::Kind::Metafile ? samples::Red : samples::Blue;
    return near(image.pixelColor(image.width() / 8, y), samples::Red) &&
           near(image.pixelColor(image.width() * 7 / 8, y), right);
}

QByteArray randomBytes(qsizetype count, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(count, '\0');
    for (char& c : bytes)
        c = char(random.bounded(256));
    return bytes;
}

} // namespace

class TestPicture : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void loadsEveryFormat_data();
    void loadsEveryFormat();
    void contentDecidesFormat_data();
    void contentDecidesFormat();
    void nonPlaceableWmf();
    void metafileBitmaps();
    void iconTakesLargestImage();
    void photoOrientationApplied();
    void unreadableFiles();
    void damagedFilesRefused_data();
    void damagedFilesRefused();
    void largeDamagedFilesRefused_data();
    void largeDamagedFilesRefused();
    void hugeHeadersRefusedQuickly_data();
    void hugeHeadersRefusedQuickly();

    void scaledImageHasExactSize_data();
    void scaledImageHasExactSize();
    void drawMetafileHitsTarget();
    void drawBitmapHitsTargetUnderTransform();
    void drawReducesBitmapToDeviceResolution();

    void saveBitmapWritesBmp_data();
    void saveBitmapWritesBmp();
    void saveKeepsOwnBytes();
    void savePastedPicture();

    void mimePreferenceOrder();
    void mimeFileNames();
    void mimeRoundTrip();
    void sameAs();
    void pictureFileNames_data();
    void pictureFileNames();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString write(const QString& name, const QByteArray& bytes) const;
};

void TestPicture::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

QString TestPicture::write(const QString& name, const QByteArray& bytes) const
{
    const QString path = m_dir->filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

void TestPicture::loadsEveryFormat_data()
{
    QTest::addColumn<Sample>("sample");
    const QList<Sample> all = allSamples();
    for (const Sample& s : all)
        QTest::newRow(qPrintable(s.fileName)) << s;
}

void TestPicture::loadsEveryFormat()
{
    QFETCH(Sample, sample);
    QVERIFY2(!sample.bytes.isEmpty(), "no writer for this format");
    const Picture picture = Picture::fromFile(write(sample.fileName, sample.bytes));
    QVERIFY(!picture.isNull());
    QCOMPARE(picture.kind(), sample.kind);
    QCOMPARE(picture.size(), sample.size);
    QCOMPARE(picture.formatName(), sample.formatName);
    const QImage full = picture.image();
    QCOMPARE(full.size(), sample.size);
    QVERIFY(showsSample(full, sample.kind));
    QCOMPARE(Picture::fromBytes(sample.bytes).size(), sample.size);
}

void TestPicture::contentDecidesFormat_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("formatName");
    const QImage image = samples::twoColours();
    QTest::newRow("png named jpg") << "p.jpg" << samples::encode(image, "png") << "png";
    QTest::newRow("bmp named dib") << "b.DIB" << samples::encode(image, "bmp") << "bmp";
    QTest::newRow("jpeg named bmp") << "j.bmp" << samples::encode(image, "jpeg") << "jpeg";
    QTest::newRow("wmf named png") << "w.png" << samples::wmf(true, 1440, 720) << "wmf";
    QTest::newRow("no extension") << "gif" << samples::gif(image) << "gif";
}

void TestPicture::contentDecidesFormat()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, formatName);
    const Picture picture = Picture::fromFile(write(fileName, bytes));
    QCOMPARE(picture.formatName(), formatName);
    QVERIFY(!picture.image().isNull());
}

void TestPicture::nonPlaceableWmf()
{
    // Without a placeable header the units count as pixels.
    const Picture picture = Picture::fromMetafile(samples::wmf(false, 300, 150));
    QCOMPARE(picture.kind(), Picture::Kind::Metafile);
    QVERIFY(qAbs(picture.size().width() - 300) <= 2);
    QVERIFY(qAbs(picture.size().height() - 150) <= 2);
    QVERIFY(showsSample(picture.image(), Picture::Kind::Metafile));
}

void TestPicture::metafileBitmaps()
{
    const QList<Picture> pictures = {
        Picture::fromMetafile(samples::wmf(true, 1440, 720, 1440, QSize(2, 2))),
        Picture::fromMetafile(samples::emf(200, 100, QSize(2, 2)))};
    for (const Picture& picture : pictures) {
        QVERIFY(!picture.isNull());
        // The bitmap lands on the right half, where the records put it.
        QVERIFY(showsSample(picture.scaledImage(QSize(100, 50)), Picture::Kind::Bitmap));
    }

    // A damaged bitmap header would keep the converters busy for as many pixels as it
    // claims; such files are refused at once.
    for (const QSize claim : {QSize(30000, 2), QSize(16000, 16000), QSize(200, 200)}) {
        QElapsedTimer timer;
        timer.start();
        QVERIFY(Picture::fromMetafile(samples::wmf(true, 1440, 720, 1440, claim)).isNull());
        QVERIFY(Picture::fromMetafile(samples::emf(200, 100, claim)).isNull());
        QVERIFY(timer.elapsed() < 1000);
    }
}

void TestPicture::iconTakesLargestImage()
{
    const QByteArray small = samples::encode(samples::twoColours(QSize(16, 16)), "ico");
    const QByteArray large = samples::encode(samples::twoColours(QSize(48, 32)), "ico");
    const Picture picture = Picture::fromBytes(samples::mergeIcons({small, large, small}));
    QCOMPARE(picture.size(), QSize(48, 32));
    QCOMPARE(picture.image().size(), QSize(48, 32));
    QVERIFY(showsSample(picture.scaledImage(QSize(20, 20)), Picture::Kind::Bitmap));
}

void TestPicture::photoOrientationApplied()
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    if (!writer.supportsOption(QImageIOHandler::ImageTransformation))
        QSKIP("this JPEG writer stores no orientation");
    writer.setTransformation(QImageIOHandler::TransformationRotate90);
    QVERIFY(writer.write(samples::twoColours(QSize(64, 48))));

    const Picture picture = Picture::fromBytes(bytes);
    QCOMPARE(picture.size(), QSize(48, 64));
    QCOMPARE(picture.image().size(), QSize(48, 64));
    const QImage screen = picture.scaledImage(QSize(30, 40));
    QCOMPARE(screen.size(), QSize(30, 40));
    // Turned clockwise: the red left half is now on top.
    QVERIFY(near(screen.pixelColor(15, 5), samples::Red));
    QVERIFY(near(screen.pixelColor(15, 35), samples::Blue));
}

void TestPicture::unreadableFiles()
{
    QVERIFY(Picture::fromFile(m_dir->filePath(QStringLiteral("missing.bmp"))).isNull());
    QVERIFY(Picture::fromFile(m_dir->path()).isNull());
    QVERIFY(Picture::fromFile(write(QStringLiteral("empty.png"), QByteArray())).isNull());
    QVERIFY(Picture::fromFile(write(QStringLiteral("t.bmp"), "not a picture at all")).isNull());
    QVERIFY(Picture::fromImage(QImage()).isNull());
    QVERIFY(Picture::fromMetafile(samples::encode(samples::twoColours(), "png")).isNull());
}

void TestPicture::damagedFilesRefused_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QList<Sample> all = allSamples();
    quint32 seed = 1;
    for (const Sample& s : all) {
        const QByteArray& b = s.bytes;
        const QByteArray nameBytes = s.fileName.toLatin1();
        const char* name = nameBytes.constData();
        QTest::addRow("%s cut at 3/4", name) << b.left(b.size() * 3 / 4);
        QTest::addRow("%s cut in half", name) << b.left(b.size() / 2);
        QTest::addRow("%s header only", name) << b.left(24);
        QTest::addRow("%s header then garbage", name)
            << b.left(24) + randomBytes(b.size() - 24, seed++);
        QTest::addRow("%s garbage", name) << randomBytes(b.size(), seed++);
    }
    QTest::newRow("jpeg without end marker") << all[1].bytes.chopped(2);
    QTest::newRow("png without end chunk") << all[4].bytes.chopped(12);
}

void TestPicture::damagedFilesRefused()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(Picture::fromBytes(bytes).isNull());
    QVERIFY(Picture::fromMetafile(bytes).isNull());
}

void TestPicture::largeDamagedFilesRefused_data()
{
    // Above the size that is decoded on trial while loading: only the file's structure
    // can tell that it is cut off.
    QTest::addColumn<QByteArray>("bytes");
    const QImage image = samples::twoColours(QSize(2100, 2000));
    for (const char* format : {"jpeg", "png", "bmp", "webp"})
        QTest::newRow(format) << samples::encode(image, format);
    QTest::newRow("tiff") << samples::tiffDirectoryFirst(2100, 2000);
}

void TestPicture::largeDamagedFilesRefused()
{
    QFETCH(QByteArray, bytes);
    QCOMPARE(Picture::fromFile(write(QStringLiteral("large"), bytes)).size(), QSize(2100, 2000));
    QVERIFY(Picture::fromBytes(bytes.left(bytes.size() * 3 / 4)).isNull());
    QVERIFY(Picture::fromBytes(bytes.chopped(1)).isNull());
}

void TestPicture::hugeHeadersRefusedQuickly_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("png 100000 square") << samples::pngClaiming(100000, 100000);
    QTest::newRow("png over the pixel limit") << samples::pngClaiming(20000, 10001);
    QTest::newRow("bmp 100000 square") << samples::bmpClaiming(100000, 100000);
    QTest::newRow("bmp top-down, wide") << samples::bmpClaiming(30000, -10);
}

void TestPicture::hugeHeadersRefusedQuickly()
{
    QFETCH(QByteArray, bytes);
    QElapsedTimer timer;
    timer.start();
    QVERIFY(Picture::fromFile(write(QStringLiteral("huge.png"), bytes)).isNull());
    QVERIFY(timer.elapsed() < 1000);
}

void TestPicture::scaledImageHasExactSize_data()
{
    loadsEveryFormat_data();
}

void TestPicture::scaledImageHasExactSize()
{
    QFETCH(Sample, sample);
    const Picture picture = Picture::fromBytes(sample.bytes);
    for (const QSize target : {QSize(338, 330), QSize(20, 70), QSize(1, 1)}) {
        const QImage scaled = picture.scaledImage(target);
        QCOMPARE(scaled.size(), target);
        if (target.width() > 10)
            QVERIFY(showsSample(scaled, sample.kind));
    }
    QVERIFY(picture.scaledImage(QSize(0, 10)).isNull());
    QVERIFY(picture.scaledImage(QSize(100000, 100000)).isNull());
}

void TestPicture::drawMetafileHitsTarget()
{
    const QRect target(100, 50, 600, 400);
    const QList<Picture> metafiles = {Picture::fromMetafile(samples::wmf(true, 1440, 720)),
                                      Picture::fromMetafile(samples::emf(200, 100))};
    for (const Picture& picture : metafiles) {
        QImage canvas(1000, 800, QImage::Format_RGB32);
        canvas.fill(Qt::white);
        QPainter painter(&canvas);
        picture.draw(painter, target);
        painter.end();
        // Stretched to the whole target, aspect not kept, nothing outside it.
        const QRect inside = target.adjusted(3, 3, -3, -3);
        for (const QPoint p : {inside.topLeft(), inside.topRight(), inside.bottomLeft(),
                               inside.bottomRight(), inside.center()})
            QVERIFY(near(canvas.pixelColor(p), samples::Red));
        const QRect outside = target.adjusted(-3, -3, 3, 3);
        for (const QPoint p :
             {outside.topLeft(), outside.topRight(), outside.bottomLeft(), outside.bottomRight()})
            QCOMPARE(canvas.pixelColor(p), QColor(Qt::white));
    }
}

void TestPicture::drawBitmapHitsTargetUnderTransform()
{
    const Picture picture = Picture::fromBytes(samples::encode(samples::twoColours(), "png"));
    QImage canvas(400, 400, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter painter(&canvas);
    painter.translate(10, 20);
    painter.scale(2, 2); // the target covers 300 x 200 device pixels
    picture.draw(painter, QRectF(10, 10, 150, 100));
    painter.end();
    QVERIFY(near(canvas.pixelColor(40, 140), samples::Red));
    QVERIFY(near(canvas.pixelColor(320, 140), samples::Blue));
    QCOMPARE(canvas.pixelColor(25, 35), QColor(Qt::white));
    QCOMPARE(canvas.pixelColor(335, 245), QColor(Qt::white));
}

void TestPicture::drawReducesBitmapToDeviceResolution()
{
    // Noise does not compress: a PDF's size shows how many pixels went into it.
    QImage noise(1200, 1200, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < noise.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(noise.scanLine(y));
        for (int x = 0; x < noise.width(); ++x)
            line[x] = 0xFF000000 | random.generate();
    }
    const Picture picture = Picture::fromBytes(samples::encode(noise, "png"));
    QCOMPARE(picture.size(), noise.size());

    auto pdfSize = [&](auto paint) {
        QByteArray pdf;
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(72);
        QPainter painter(&writer);
        paint(painter, QRectF(72, 72, 72, 72)); // one inch: 72 device pixels
        painter.end();
        return pdf.size();
    };
    const qsizetype reduced = pdfSize([&](QPainter& p, const QRectF& r) { picture.draw(p, r); });
    const qsizetype full = pdfSize([&](QPainter& p, const QRectF& r) { p.drawImage(r, noise); });
    QVERIFY2(reduced * 20 < full, qPrintable(QStringLiteral("%1 vs %2").arg(reduced).arg(full)));
}

void TestPicture::saveBitmapWritesBmp_data()
{
    loadsEveryFormat_data();
}

void TestPicture::saveBitmapWritesBmp()
{
    QFETCH(Sample, sample);
    if (sample.kind != Picture::Kind::Bitmap)
        return;
    const Picture picture = Picture::fromBytes(sample.bytes);
    const QString path = m_dir->filePath(QStringLiteral("out.bmp"));
    QVERIFY(picture.save(path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.peek(2) == "BM");
    const QImage back(path);
    QCOMPARE(back.size(), sample.size);
    QVERIFY(showsSample(back, sample.kind));
}

// A BMP file keeps its own bytes; a metafile is written as a real bitmap, large enough for
// a face at 300 dpi (150 mm is 1772 pixels), showing the metafile.
void TestPicture::saveKeepsOwnBytes()
{
    const QString path = m_dir->filePath(QStringLiteral("copy.bmp"));
    const QByteArray bmp = samples::encode(samples::twoColours(), "bmp");
    QVERIFY(Picture::fromBytes(bmp).save(path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bmp);
    file.close();

    for (const QByteArray& bytes : {samples::wmf(true, 1440, 720), samples::emf(200, 100)}) {
        QVERIFY(Picture::fromBytes(bytes).save(path));
        const Picture written = Picture::fromFile(path);
        QCOMPARE(written.formatName(), QStringLiteral("bmp"));
        QVERIFY(qMin(written.size().width(), written.size().height()) >= 1772);
        QVERIFY(showsSample(written.scaledImage(QSize(64, 32)), Picture::Kind::Metafile));
    }
}

void TestPicture::savePastedPicture()
{
    const Picture picture = Picture::fromImage(samples::twoColours());
    QVERIFY(picture.save(m_dir->filePath(QStringLiteral("pasted.bmp"))));
    QVERIFY(
        showsSample(QImage(m_dir->filePath(QStringLiteral("pasted.bmp"))), Picture::Kind::Bitmap));

    const QString path = m_dir->filePath(QStringLiteral("no/such/folder/x.bmp"));
    QString error;
    QVERIFY(!picture.save(path, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFile::exists(path));
    QVERIFY(!Picture().save(m_dir->filePath(QStringLiteral("empty.bmp"))));
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("empty.bmp"))));
}

void TestPicture::mimePreferenceOrder()
{
    const QImage image = samples::twoColours(QSize(10, 8));
    const QByteArray wmf = samples::wmf(true, 1440, 720);
    const QByteArray bmp = samples::encode(samples::twoColours(QSize(30, 20)), "bmp");

    QMimeData all;
    all.setData(QStringLiteral("image/bmp"), bmp);
    all.setData(QStringLiteral("image/x-wmf"), wmf);
    all.setImageData(image);
    QVERIFY(Picture::mimeHasPicture(&all));
    QCOMPARE(Picture::fromMimeData(&all).size(), QSize(10, 8));

    QMimeData noImage;
    noImage.setData(QStringLiteral("image/bmp"), bmp);
    noImage.setData(QStringLiteral("image/x-wmf"), wmf);
    QCOMPARE(Picture::fromMimeData(&noImage).kind(), Picture::Kind::Metafile);

    QMimeData bmpOnly;
    bmpOnly.setData(QStringLiteral("image/bmp"), bmp);
    QVERIFY(Picture::mimeHasPicture(&bmpOnly));
    QCOMPARE(Picture::fromMimeData(&bmpOnly).size(), QSize(30, 20));

    // A bare device-independent bitmap: the file header left off.
    QMimeData dib;
    dib.setData(QStringLiteral("image/bmp"), bmp.mid(14));
    QCOMPARE(Picture::fromMimeData(&dib).size(), QSize(30, 20));

    QMimeData png;
    png.setData(QStringLiteral("image/png"), samples::encode(image, "png"));
    QVERIFY(Picture::mimeHasPicture(&png));
    QCOMPARE(Picture::fromMimeData(&png).size(), QSize(10, 8));

    // A damaged metafile gives way to the next format.
    QMimeData badMetafile;
    badMetafile.setData(QStringLiteral("image/x-emf"), wmf.left(30));
    badMetafile.setData(QStringLiteral("image/bmp"), bmp);
    QCOMPARE(Picture::fromMimeData(&badMetafile).size(), QSize(30, 20));

    QMimeData text;
    text.setText(QStringLiteral("just text"));
    QVERIFY(!Picture::mimeHasPicture(&text));
    QVERIFY(Picture::fromMimeData(&text).isNull());
    QVERIFY(Picture::fromMimeData(nullptr).isNull());
}

void TestPicture::mimeFileNames()
{
    const QString first = write(QStringLiteral("first.png"),
                                samples::encode(samples::twoColours(QSize(10, 10)), "png"));
    const QString last = write(QStringLiteral("last.JPEG"),
                               samples::encode(samples::twoColours(QSize(20, 10)), "jpeg"));
    const QString notes = write(QStringLiteral("notes.txt"), "text");

    QMimeData two;
    two.setUrls({QUrl::fromLocalFile(first), QUrl::fromLocalFile(last)});
    QVERIFY(!Picture::mimeHasPicture(&two)); // file names are no clipboard picture
    QCOMPARE(Picture::fromMimeData(&two).size(), QSize(20, 10));

    QMimeData lastNotPicture;
    lastNotPicture.setUrls({QUrl::fromLocalFile(first), QUrl::fromLocalFile(notes)});
    QVERIFY(Picture::fromMimeData(&lastNotPicture).isNull());

    QMimeData remoteLast;
    remoteLast.setUrls({QUrl::fromLocalFile(first), QUrl(QStringLiteral("https://e.org/x.png"))});
    QCOMPARE(Picture::fromMimeData(&remoteLast).size(), QSize(10, 10));

    QMimeData urlText;
    urlText.setText(QUrl::fromLocalFile(first).toString() + QLatin1Char('\n'));
    QCOMPARE(Picture::fromMimeData(&urlText).size(), QSize(10, 10));
}

void TestPicture::mimeRoundTrip()
{
    const QList<Sample> all = allSamples();
    for (const Sample& sample : all) {
        const Picture picture = Picture::fromBytes(sample.bytes);
        const std::unique_ptr<QMimeData> own(picture.toMimeData());
        QVERIFY(own);
        QVERIFY(Picture::mimeHasPicture(own.get()));
        QVERIFY(Picture::fromMimeData(own.get()).sameAs(picture));
        QVERIFY(showsSample(qvariant_cast<QImage>(own->imageData()), sample.kind));

        // What another program would see: the formats as plain data.
        QMimeData copy;
        if (sample.kind == Picture::Kind::Metafile) {
            const QString type = sample.formatName == QLatin1String("emf")
                                     ? QStringLiteral("image/x-emf")
                                     : QStringLiteral("image/x-wmf");
            QCOMPARE(own->data(type), sample.bytes);
            copy.setData(type, own->data(type));
        } else {
            copy.setData(QStringLiteral("image/bmp"), own->data(QStringLiteral("image/bmp")));
        }
        const Picture back = Picture::fromMimeData(&copy);
        QCOMPARE(back.kind(), sample.kind);
        QCOMPARE(back.size(), sample.size);
    }
    QVERIFY(Picture().toMimeData() == nullptr);
}

void TestPicture::sameAs()
{
    const QByteArray bytes = samples::encode(samples::twoColours(), "png");
    const Picture a = Picture::fromBytes(bytes);
    const Picture copy = a;
    QVERIFY(copy.sameAs(a));
    QVERIFY(!Picture::fromBytes(bytes).sameAs(a)); // equal content, another picture
    QVERIFY(!Picture().sameAs(a));
    QVERIFY(Picture().sameAs(Picture()));
    const QVariant variant = QVariant::fromValue(a);
    QVERIFY(variant.value<Picture>().sameAs(a));
}

void TestPicture::pictureFileNames_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("picture");
    for (const char* name :
         {"a.bmp", "A.JPG", "b.jpeg", "c.GiF", "d.dib", "e.wmf", "f.EMF", "g.ico", "h.cur", "i.png",
          "j.tif", "k.TIFF", "l.webp", "/some dir/x.y.Jpg"})
        QTest::newRow(name) << QString::fromLatin1(name) << true;
    for (const char* name :
         {"a.ovc", "a.txt", "noextension", "a.", "dir.jpg/file", "x.jpg.zip", "jpg"})
        QTest::newRow(name) << QString::fromLatin1(name) << false;
}

void TestPicture::pictureFileNames()
{
    QFETCH(QString, path);
    QFETCH(bool, picture);
    QCOMPARE(platform::isPictureFileName(path), picture);
}

QTEST_MAIN(TestPicture)
#include "tst_picture.moc"
