#include "Picture.h"

#include "BitmapDecoder.h"
#include "Metafile.h"
#include "PictureMimeData.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QMimeData>
#include <QPaintDevice>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>
#include <QUrl>

#include <cmath>

namespace platform {

// Immutable once made; shared by every copy of a Picture.
struct PictureData
{
    Picture::Kind kind = Picture::Kind::None;
    QByteArray bytes;  // the encoded picture (file or metafile), when it came as bytes
    QByteArray format; // the reader's format for bytes, "wmf"/"emf" for metafiles
    QString name;      // formatName()
    QImage image;      // a picture made from an image
    QSize size;
    int imageIndex = 0;
    QByteArray svg; // a metafile, converted
};

namespace {

constexpr qint64 ReadChunkBytes = 1024 * 1024;
// A large file is only read whole when its first bytes look like a picture.
constexpr qint64 SniffBytes = 64 * 1024;

const char* const MetafileMimeTypes[] = {"image/x-wmf", "image/x-emf", "image/wmf", "image/emf",
                                         "application/x-msmetafile"};
const char* const BmpMimeTypes[] = {"image/bmp", "image/x-bmp", "image/x-ms-bmp"};

// The extensions of the Windows program's picture filter and of the formats that
// replaced them.
const char* const BaseExtensions[] = {"bmp", "jpg", "jpeg", "gif", "dib",  "wmf", "emf",
                                      "ico", "cur", "png",  "tif", "tiff", "webp"};

QByteArray readBounded(const QString& path)
{
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        return QByteArray();
    if (!file.isSequential()) {
        if (file.size() > Picture::MaxFileBytes)
            return QByteArray();
        if (file.size() > SniffBytes && !BitmapDecoder::looksLikePicture(file.peek(SniffBytes)))
            return QByteArray();
        return file.readAll();
    }
    QByteArray bytes;
    while (bytes.size() <= Picture::MaxFileBytes) {
        const QByteArray chunk = file.read(ReadChunkBytes);
        if (chunk.isEmpty())
            break;
        bytes += chunk;
    }
    return bytes;
}

bool isBmpMimeType(const QString& mimeType)
{
    for (const char* bmp : BmpMimeTypes) {
        if (mimeType.compare(QLatin1String(bmp), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// Encoded images other than BMP (which comes after metafiles), in the data's own order.
QStringList encodedImageFormats(const QMimeData* data)
{
    const QList<QByteArray> readable = QImageReader::supportedMimeTypes();
    QStringList found;
    const QStringList formats = data->formats();
    for (const QString& format : formats) {
        if (!isBmpMimeType(format) && readable.contains(format.toLatin1().toLower()))
            found.append(format);
    }
    return found;
}

bool hasImage(const QMimeData* data)
{
    return data->hasImage() || !encodedImageFormats(data).isEmpty();
}

bool hasAnyFormat(const QMimeData* data, const char* const* begin, const char* const* end)
{
    for (auto it = begin; it != end; ++it) {
        if (data->hasFormat(QLatin1String(*it)))
            return true;
    }
    return false;
}

// A file dropped from a file manager or copied there: the last local file of the list.
QString droppedPicturePath(const QMimeData* data)
{
    QString path;
    if (data->hasUrls()) {
        const QList<QUrl> urls = data->urls();
        for (const QUrl& url : urls) {
            if (url.isLocalFile())
                path = url.toLocalFile();
        }
    } else if (data->hasText()) {
        const QUrl url(data->text().trimmed());
        if (url.isLocalFile())
            path = url.toLocalFile();
    }
    return isPictureFileName(path) ? path : QString();
}

QImage renderSvg(const QByteArray& svg, const QSize& size)
{
    if (!BitmapDecoder::sizeAllowed(size))
        return QImage();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    image.fill(Qt::transparent);
    QSvgRenderer renderer(svg);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

// The device pixels `target` covers on the painter's device.
QSize devicePixels(const QPainter& painter, const QRectF& target)
{
    const QRectF mapped = painter.combinedTransform().mapRect(target);
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    return QSize(int(std::ceil(mapped.width() * ratio)), int(std::ceil(mapped.height() * ratio)));
}

// Pixels a face needs at 300 dpi on its longer side (150 mm), on the picture's shorter side,
// so that it covers every face's rectangle however it is stretched there.
constexpr int FacePixelsAt300Dpi = 1772;

QSize bitmapSizeOf(const QSize& natural)
{
    if (natural.isEmpty())
        return natural;
    const double grow =
        std::max(1.0, double(FacePixelsAt300Dpi) / std::min(natural.width(), natural.height()));
    QSize size(int(std::ceil(natural.width() * grow)), int(std::ceil(natural.height() * grow)));
    if (!BitmapDecoder::sizeAllowed(size))
        size.scale(QSize(Picture::MaxSide, Picture::MaxSide), Qt::KeepAspectRatio);
    while (!BitmapDecoder::sizeAllowed(size) && size.width() > 1 && size.height() > 1)
        size /= 2;
    return size;
}

bool writeBytes(const QString& path, const QByteArray& bytes, QString* errorText)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (errorText)
        *errorText = file.errorString();
    return false;
}

} // namespace

Picture::Picture() = default;

Picture::Picture(std::shared_ptr<const PictureData> data) : d(std::move(data)) {}

Picture Picture::fromFile(const QString& path)
{
    return fromBytes(readBounded(path));
}

Picture Picture::fromBytes(const QByteArray& bytes)
{
    if (Metafile::detect(bytes) != Metafile::Type::None)
        return fromMetafile(bytes);
    return fromBitmapBytes(bytes, QByteArray());
}

Picture Picture::fromBitmapBytes(const QByteArray& bytes, const QByteArray& fallbackFormat)
{
    const BitmapDecoder::Probe probe = BitmapDecoder::probe(bytes, fallbackFormat);
    if (!probe.ok)
        return Picture();
    auto data = std::make_shared<PictureData>();
    data->kind = Kind::Bitmap;
    data->bytes = bytes;
    data->format = probe.format;
    data->size = probe.size;
    data->imageIndex = probe.imageIndex;
    // Qt reads cursors with its icon reader; the header's type tells them apart.
    const bool cursor = probe.format == "ico" && bytes.size() > 2 && bytes.at(2) == 2;
    data->name = cursor ? QStringLiteral("cur") : QString::fromLatin1(probe.format);
    return Picture(std::move(data));
}

Picture Picture::fromImage(const QImage& image)
{
    if (image.isNull())
        return Picture();
    auto data = std::make_shared<PictureData>();
    data->kind = Kind::Bitmap;
    data->image = image;
    data->size = image.size();
    return Picture(std::move(data));
}

Picture Picture::fromMetafile(const QByteArray& bytes)
{
    const std::optional<Metafile::Converted> converted = Metafile::convert(bytes);
    if (!converted)
        return Picture();
    auto data = std::make_shared<PictureData>();
    data->kind = Kind::Metafile;
    data->bytes = bytes;
    const bool emf = converted->type == Metafile::Type::Emf;
    data->format = emf ? QByteArray("emf") : QByteArray("wmf");
    data->name = QString::fromLatin1(data->format);
    data->size = converted->naturalSize;
    data->svg = converted->svg;
    return Picture(std::move(data));
}

Picture Picture::fromMimeData(const QMimeData* data)
{
    if (data == nullptr)
        return Picture();
    if (const auto* own = qobject_cast<const PictureMimeData*>(data))
        return own->picture();

    // A format that is offered but cannot be read gives way to the next one.
    if (data->hasImage()) {
        const Picture picture = fromImage(qvariant_cast<QImage>(data->imageData()));
        if (!picture.isNull())
            return picture;
    }
    const QStringList encoded = encodedImageFormats(data);
    for (const QString& format : encoded) {
        const Picture picture = fromBytes(data->data(format));
        if (picture.kind() == Kind::Bitmap)
            return picture;
    }
    for (const char* format : MetafileMimeTypes) {
        if (data->hasFormat(QLatin1String(format))) {
            const Picture picture = fromMetafile(data->data(QLatin1String(format)));
            if (!picture.isNull())
                return picture;
        }
    }
    for (const char* format : BmpMimeTypes) {
        if (data->hasFormat(QLatin1String(format))) {
            // Some programs put a bare device-independent bitmap (no file header) here.
            const Picture picture = fromBitmapBytes(data->data(QLatin1String(format)), "dib");
            if (!picture.isNull())
                return picture;
        }
    }
    const QString path = droppedPicturePath(data);
    return path.isEmpty() ? Picture() : fromFile(path);
}

bool Picture::mimeHasPicture(const QMimeData* data)
{
    if (data == nullptr)
        return false;
    return hasImage(data) ||
           hasAnyFormat(data, std::begin(MetafileMimeTypes), std::end(MetafileMimeTypes)) ||
           hasAnyFormat(data, std::begin(BmpMimeTypes), std::end(BmpMimeTypes));
}

bool Picture::isNull() const
{
    return !d;
}

Picture::Kind Picture::kind() const
{
    return d ? d->kind : Kind::None;
}

QSize Picture::size() const
{
    return d ? d->size : QSize();
}

bool Picture::sameAs(const Picture& other) const
{
    return d == other.d;
}

qint64 Picture::heldBytes() const
{
    return d ? d->bytes.size() + d->image.sizeInBytes() + d->svg.size() : 0;
}

QString Picture::formatName() const
{
    return d ? d->name : QString();
}

QByteArray Picture::fileBytes() const
{
    return d ? d->bytes : QByteArray();
}

QImage Picture::image() const
{
    switch (kind()) {
    case Kind::Bitmap:
        if (!d->image.isNull())
            return d->image;
        return BitmapDecoder::decode(d->bytes, d->format, d->imageIndex);
    case Kind::Metafile:
        return renderSvg(d->svg, d->size);
    case Kind::None:
        break;
    }
    return QImage();
}

QImage Picture::scaledImage(const QSize& target) const
{
    if (target.isEmpty() || !BitmapDecoder::sizeAllowed(target))
        return QImage();
    switch (kind()) {
    case Kind::Bitmap:
        if (!d->image.isNull())
            return d->image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        return BitmapDecoder::decode(d->bytes, d->format, d->imageIndex, target);
    case Kind::Metafile:
        return renderSvg(d->svg, target);
    case Kind::None:
        break;
    }
    return QImage();
}

void Picture::draw(QPainter& painter, const QRectF& target) const
{
    if (isNull() || target.isEmpty())
        return;
    if (d->kind == Kind::Metafile) {
        QSvgRenderer renderer(d->svg);
        renderer.render(&painter, target);
        return;
    }
    // More pixels than the device shows only make the output (a PDF) larger.
    const QSize device = devicePixels(painter, target);
    const QSize needed(qBound(1, device.width(), d->size.width()),
                       qBound(1, device.height(), d->size.height()));
    const QImage pixels = needed == d->size ? image() : scaledImage(needed);
    if (pixels.isNull())
        return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, pixels);
    painter.restore();
}

bool Picture::save(const QString& path, QString* errorText) const
{
    if (isNull()) {
        if (errorText)
            *errorText = QStringLiteral("empty picture");
        return false;
    }
    // A BMP file is already what would be written.
    if (d->name == QLatin1String("bmp"))
        return writeBytes(path, d->bytes, errorText);

    // A metafile becomes a real bitmap too (the file is named and read as one), sharp
    // enough for any face printed at 300 dpi.
    const QImage pixels =
        d->kind == Kind::Metafile ? renderSvg(d->svg, bitmapSizeOf(d->size)) : image();
    if (pixels.isNull()) {
        if (errorText)
            *errorText = QStringLiteral("the picture cannot be decoded");
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (errorText)
            *errorText = file.errorString();
        return false;
    }
    QImageWriter writer(&file, "bmp");
    if (!writer.write(pixels)) {
        if (errorText)
            *errorText = writer.errorString();
        return false;
    }
    if (!file.commit()) {
        if (errorText)
            *errorText = file.errorString();
        return false;
    }
    return true;
}

QMimeData* Picture::toMimeData() const
{
    return isNull() ? nullptr : new PictureMimeData(*this);
}

bool isPictureFileName(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || dot + 1 >= name.size())
        return false;
    return pictureExtensions().contains(name.mid(dot + 1).toLower());
}

QStringList pictureExtensions()
{
    QStringList extensions;
    for (const char* extension : BaseExtensions)
        extensions.append(QString::fromLatin1(extension));
    const QList<QByteArray> readable = QImageReader::supportedImageFormats();
    for (const QByteArray& format : readable) {
        const QString extension = QString::fromLatin1(format).toLower();
        if (!extensions.contains(extension))
            extensions.append(extension);
    }
    return extensions;
}

} // namespace platform
