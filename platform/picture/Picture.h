#pragma once

#include <QByteArray>
#include <QImage>
#include <QMetaType>
#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>

class QMimeData;
class QPainter;
class QRectF;

namespace platform {

struct PictureData;

// One face picture. Immutable and implicitly shared: copies are cheap and refer to the
// same data, which is what "the same picture" means (sameAs).
//
// A picture from a file keeps the file's bytes, not its pixels: a set of four camera
// photos costs the size of their files, and every decode (screen copy, full image,
// printing) is made from the bytes when it is needed. A metafile stays vector until it is
// drawn. Loading never throws and never crashes on damaged input: anything unreadable,
// incomplete or too large gives an empty picture. All functions are reentrant; pictures
// may be loaded and decoded on worker threads.
class Picture
{
public:
    enum class Kind
    {
        None,
        Bitmap,
        Metafile
    };

    // Files larger than this are not read at all. A set holds its four pictures' bytes, and
    // opening it decodes within DecodeGate's budget: four files this large and the largest
    // decode together stay under 1 GiB.
    static constexpr qint64 MaxFileBytes = 96LL * 1024 * 1024;
    // Metafiles are small in practice; the bound keeps their conversion's memory bounded.
    static constexpr qint64 MaxMetafileBytes = 32LL * 1024 * 1024;
    // Bitmaps claiming more pixels than this are refused before anything is decoded.
    static constexpr int MaxSide = 20000;
    static constexpr qint64 MaxPixels = 100LL * 1000 * 1000;

    Picture();

    // The content decides the format, never the name. Empty on any failure.
    static Picture fromFile(const QString& path);
    // The same, for the bytes of a picture file.
    static Picture fromBytes(const QByteArray& bytes);
    static Picture fromImage(const QImage& image);
    // WMF (placeable or not) or EMF bytes; empty when unreadable.
    static Picture fromMetafile(const QByteArray& bytes);
    // The first of: an image, a metafile (image/x-wmf, image/x-emf), image/bmp, then the
    // last local file of a uri-list (or a file:// URL as text) when it names a picture file.
    static Picture fromMimeData(const QMimeData* data);
    // What the clipboard offers counts only as image, metafile or image/bmp, not as file names.
    static bool mimeHasPicture(const QMimeData* data);

    bool isNull() const;
    Kind kind() const;
    // Pixels of a bitmap; a metafile's natural size at 96 dpi.
    QSize size() const;
    bool sameAs(const Picture& other) const;
    // The memory the picture keeps: its encoded bytes, or its pixels when made from an image.
    qint64 heldBytes() const;

    // The full picture, decoded anew on every call (a metafile at its natural size).
    // Null when the picture is empty or cannot be decoded.
    QImage image() const;
    // Exactly `target` pixels, aspect not kept; bitmaps are scaled while decoding where
    // the codec can (JPEG), so this is the cheap way to a screen copy.
    QImage scaledImage(const QSize& target) const;
    // Stretched into `target` (aspect not kept). A metafile is drawn as vectors. A bitmap
    // is first reduced to the device pixels that `target` covers when the device needs
    // fewer than the picture has, which keeps printed output (PDF) small.
    void draw(QPainter& painter, const QRectF& target) const;

    // As a Windows BMP: a bitmap file's own bytes when it is one, a metafile drawn at least
    // as large as a face printed at 300 dpi. The file is replaced atomically; on failure it
    // is left as it was and errorText (if given) says why.
    bool save(const QString& path, QString* errorText = nullptr) const;
    // The picture in its own kind: a bitmap as an image (+ image/bmp), a metafile as its
    // bytes (image/x-wmf or image/x-emf) plus a rendered image. Pixels are produced only
    // when a reader asks for them. The caller owns the result; nullptr for an empty picture.
    QMimeData* toMimeData() const;

    // "jpeg", "png", "bmp", "gif", "tiff", "webp", "ico", "cur", "wmf", "emf", ...;
    // empty for an empty picture or one made from an image.
    QString formatName() const;
    // The encoded bytes the picture was made from (a picture file's, a metafile's); empty
    // for a picture made from an image.
    QByteArray fileBytes() const;

private:
    explicit Picture(std::shared_ptr<const PictureData> data);
    static Picture fromBitmapBytes(const QByteArray& bytes, const QByteArray& fallbackFormat);

    std::shared_ptr<const PictureData> d;
};

// A file is a picture file by its extension after the last dot, in any letter case.
bool isPictureFileName(const QString& path);
// Lower-case extensions without dots: the Windows kinds, jpeg, png, tif, tiff, webp, and
// whatever else the installed image plugins read.
QStringList pictureExtensions();

} // namespace platform

Q_DECLARE_METATYPE(platform::Picture)
