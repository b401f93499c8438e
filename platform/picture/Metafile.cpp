#include "Metafile.h"

#include "EmfToSvg.h"
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
// SVG text grows with the records; past this the conversion is not kept.
constexpr qsizetype MaxSvgBytes = 256 * 1024 * 1024;

class Reader
{
public:
    explicit Reader(const QByteArray& bytes)
        : m_data(reinterpret_cast<const uchar*>(bytes.constData())), m_size(bytes.size())
    {
    }
    bool has(qint64 at, qint64 count) const
    {
        return at >= 0 && count >= 0 && at <= m_size && count <= m_size - at;
    }
    quint32 u16(qint64 i) const { return m_data[i] | m_data[i + 1] << 8; }
    quint32 u32(qint64 i) const { return u16(i) | u16(i + 2) << 16; }
    qint32 s32(qint64 i) const { return qint32(u32(i)); }

private:
    const uchar* m_data;
    qint64 m_size;
};

bool isWmfHeader(const Reader& r, qint64 at)
{
    if (!r.has(at, WmfHeaderBytes))
        return false;
    const quint32 type = r.u16(at);
    const quint32 version = r.u16(at + 4);
    return (type == 1 || type == 2) && r.u16(at + 2) == 9 && (version == 0x100 || version == 0x300);
}

bool wmfWellFormed(const Reader& r)
{
    const qint64 header = r.has(0, 4) && r.u32(0) == PlaceableKey ? PlaceableHeaderBytes : 0;
    if (!isWmfHeader(r, header))
        return false;
    if (header != 0 && r.u16(14) == 0) // units per inch
        return false;
    qint64 i = header + WmfHeaderBytes;
    while (r.has(i, 6)) {
        const qint64 words = r.u32(i);
        if (words < 3 || !r.has(i, words * 2))
            return false;
        if (words == 3 && r.u16(i + 4) == 0)
            return true;
        i += words * 2;
    }
    return false;
}

bool emfWellFormed(const Reader& r)
{
    if (!r.has(0, EmfHeaderBytes) || r.u32(0) != EmrHeader || r.u32(40) != EmfSignature)
        return false;
    qint64 i = 0;
    while (r.has(i, 8)) {
        const quint32 type = r.u32(i);
        const qint64 size = r.u32(i + 4);
        if (size < 8 || size % 4 != 0 || !r.has(i, size))
            return false;
        if (i == 0 && size < EmfHeaderBytes)
            return false;
        if (type == EmrEof)
            return true;
        i += size;
    }
    return false;
}

// Pixels at 96 dpi per device pixel of the EMF's reference device (its header names the
// device in pixels and in millimetres, or micrometres in newer headers).
double emfPixelsPerDevicePixel(const Reader& r)
{
    const qint64 headerSize = r.u32(4);
    double deviceWidth = r.s32(72);
    double physicalMm = r.s32(80);
    if (headerSize >= 108 && r.has(0, 108) && r.s32(100) > 0)
        physicalMm = r.s32(100) / 1000.0;
    if (deviceWidth <= 0 || physicalMm <= 0)
        return 1.0;
    const double factor = physicalMm / deviceWidth / 25.4 * 96.0;
    return std::isfinite(factor) && factor > 0.01 && factor < 100 ? factor : 1.0;
}

// Shrinks (keeping the aspect) into the size limits of a decoded picture.
QSize withinLimits(double width, double height)
{
    double shrink = std::max(width, height) / Picture::MaxSide;
    shrink = std::max(shrink, std::sqrt(width * height / double(Picture::MaxPixels)));
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
    if (r.has(0, 4) && r.u32(0) == PlaceableKey)
        return Type::Wmf;
    if (isWmfHeader(r, 0))
        return Type::Wmf;
    if (r.has(0, EmfHeaderBytes) && r.u32(0) == EmrHeader && r.u32(40) == EmfSignature)
        return Type::Emf;
    return Type::None;
}

bool Metafile::isWellFormed(Type type, const QByteArray& bytes)
{
    const Reader r(bytes);
    switch (type) {
    case Type::Wmf:
        return wmfWellFormed(r);
    case Type::Emf:
        return emfWellFormed(r);
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
    const bool converted = type == Type::Wmf ? wmfToSvg(data, size_t(bytes.size()), svg)
                                             : emfToSvg(data, size_t(bytes.size()), svg);
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
