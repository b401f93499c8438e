#include "Metafile.h"

#include "ByteReader.h"
#include "DecodeGate.h"
#include "EmfToSvg.h"
#include "MetafileBitmapCheck.h"
#include "Picture.h"
#include "WmfToSvg.h"

#include <QSvgRenderer>

#include <algorithm>
#include <cmath>
#include <string>

namespace platform {

namespace {

constexpr quint32 PlaceableKey = 0x9AC6CDD7;
constexpr quint32 EmfSignature = 0x464D4520; // " EMF"
constexpr qint64 PlaceableHeaderBytes = 22;
constexpr qint64 WmfHeaderBytes = 18;
constexpr qint64 EmfHeaderBytes = 88;
constexpr quint32 EmrHeader = 1;
constexpr quint32 EmrEof = 14;
// A metafile's natural size only matters for its full image (the clipboard's copy for
// programs that read no metafiles); beyond a poster's size it would only cost memory.
constexpr double MaxNaturalSide = 4096;
// SVG text grows with the records; past this the conversion is not kept (a set of four
// metafiles holds their SVG).
constexpr qsizetype MaxSvgBytes = 64 * 1024 * 1024;

using Reader = ByteReader;

bool isWmfHeader(const Reader& r, qint64 at)
{
    if (!r.has(at, WmfHeaderBytes))
        return false;
    const quint32 type = r.le16(at);
    const quint32 version = r.le16(at + 4);
    return (type == 1 || type == 2) && r.le16(at + 2) == 9 &&
           (version == 0x100 || version == 0x300);
}

bool wmfWellFormed(const Reader& r, MetafileBitmapCheck& bitmaps)
{
    const qint64 header = r.has(0, 4) && r.le32(0) == PlaceableKey ? PlaceableHeaderBytes : 0;
    if (!isWmfHeader(r, header))
        return false;
    if (header != 0 && r.le16(14) == 0) // units per inch
        return false;
    qint64 i = header + WmfHeaderBytes;
    while (r.has(i, 6)) {
        const qint64 words = r.le32(i);
        if (words < 3 || !r.has(i, words * 2))
            return false;
        const quint32 function = r.le16(i + 4);
        if (words == 3 && function == 0)
            return true;
        if (!bitmaps.wmfRecord(i, words * 2, function))
            return false;
        i += words * 2;
    }
    return false;
}

// Whether a record that draws points holds all the points it counts: the converter reads
// as many as the count says, past the record's end otherwise.
bool emfPointsInside(const Reader& r, qint64 at, qint64 size, quint32 type)
{
    const auto within = [&](qint64 fixed, qint64 pointBytes, qint64 countAt, qint64 extra) {
        if (!r.has(at + countAt, 4) || size < countAt + 4)
            return false;
        const qint64 count = r.le32(at + countAt);
        return fixed + extra + count * pointBytes <= size;
    };
    switch (type) {
    case 2: case 3: case 4: case 5: case 6: // poly Bézier, polygon, polyline (and "to")
        return within(28, 8, 24, 0);
    case 85: case 86: case 87: case 88: case 89: // the same with 16-bit points
        return within(28, 4, 24, 0);
    case 7: case 8: case 90: case 91: { // poly-polyline, poly-polygon (32- and 16-bit)
        if (size < 32 || !r.has(at + 24, 8))
            return false;
        const qint64 polys = r.le32(at + 24);
        const qint64 points = r.le32(at + 28);
        const qint64 pointBytes = type <= 8 ? 8 : 4;
        return 32 + polys * 4 + points * pointBytes <= size;
    }
    case 56: // poly-draw: the points, then a type byte each
        return within(28, 9, 24, 0);
    case 92:
        return within(28, 5, 24, 0);
    default:
        return true;
    }
}

bool emfWellFormed(const Reader& r, MetafileBitmapCheck& bitmaps)
{
    if (!r.has(0, EmfHeaderBytes) || r.le32(0) != EmrHeader || r.le32(40) != EmfSignature)
        return false;
    qint64 i = 0;
    while (r.has(i, 8)) {
        const quint32 type = r.le32(i);
        const qint64 size = r.le32(i + 4);
        if (size < 8 || size % 4 != 0 || !r.has(i, size))
            return false;
        if (i == 0 && size < EmfHeaderBytes)
            return false;
        if (type == EmrEof)
            return true;
        if (!emfPointsInside(r, i, size, type) || !bitmaps.emfRecord(i, size, type))
            return false;
        i += size;
    }
    return false;
}

// Pixels at 96 dpi per device pixel of the EMF's reference device (its header names the
// device in pixels and in millimetres, or micrometres in newer headers).
double emfPixelsPerDevicePixel(const Reader& r)
{
    const qint64 headerSize = r.le32(4);
    double deviceWidth = r.le32s(72);
    double physicalMm = r.le32s(80);
    if (headerSize >= 108 && r.has(0, 108) && r.le32s(100) > 0)
        physicalMm = r.le32s(100) / 1000.0;
    if (deviceWidth <= 0 || physicalMm <= 0)
        return 1.0;
    const double factor = physicalMm / deviceWidth / 25.4 * 96.0;
    return std::isfinite(factor) && factor > 0.01 && factor < 100 ? factor : 1.0;
}

// Shrinks (keeping the aspect) into the natural size's limit.
QSize withinLimits(double width, double height)
{
    const double shrink = std::max(width, height) / MaxNaturalSide;
    if (shrink > 1.0) {
        width /= shrink;
        height /= shrink;
    }
    return QSize(std::max(1, int(std::lround(width))), std::max(1, int(std::lround(height))));
}

} // namespace

Metafile::Type Metafile::detect(const QByteArray& bytes)
{
    const Reader r(bytes);
    if (r.has(0, 4) && r.le32(0) == PlaceableKey)
        return Type::Wmf;
    if (isWmfHeader(r, 0))
        return Type::Wmf;
    if (r.has(0, EmfHeaderBytes) && r.le32(0) == EmrHeader && r.le32(40) == EmfSignature)
        return Type::Emf;
    return Type::None;
}

bool Metafile::isWellFormed(Type type, const QByteArray& bytes)
{
    const Reader r(bytes);
    MetafileBitmapCheck bitmaps(bytes);
    switch (type) {
    case Type::Wmf:
        return wmfWellFormed(r, bitmaps);
    case Type::Emf:
        return emfWellFormed(r, bitmaps);
    case Type::None:
        break;
    }
    return false;
}

std::optional<Metafile::Converted> Metafile::convert(const QByteArray& bytes)
{
    if (bytes.size() > Picture::MaxMetafileBytes)
        return std::nullopt;
    const Type type = detect(bytes);
    if (type == Type::None || !isWellFormed(type, bytes))
        return std::nullopt;

    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    std::string svg;
    std::mutex& lock = DecodeGate::metafileLibraries();
    const bool converted = type == Type::Wmf ? wmfToSvg(data, size_t(bytes.size()), svg, lock)
                                             : emfToSvg(data, size_t(bytes.size()), svg, lock);
    if (!converted || svg.size() > size_t(MaxSvgBytes))
        return std::nullopt;

    Converted result;
    result.type = type;
    result.svg = QByteArray(svg.data(), qsizetype(svg.size()));
    const QSvgRenderer renderer(result.svg);
    const QSize svgSize = renderer.defaultSize();
    if (!renderer.isValid() || svgSize.isEmpty())
        return std::nullopt;
    const double factor = type == Type::Emf ? emfPixelsPerDevicePixel(Reader(bytes)) : 1.0;
    result.naturalSize = withinLimits(svgSize.width() * factor, svgSize.height() * factor);
    return result;
}

} // namespace platform
