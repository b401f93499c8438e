// No Qt header may be included here (see WmfToSvg.h).
#include "WmfToSvg.h"

#include <libwmf/api.h>
#include <libwmf/svg.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <vector>

namespace platform {

namespace {

constexpr uint32_t PlaceableKey = 0x9AC6CDD7;
constexpr size_t PlaceableBytes = 22;
constexpr size_t HeaderBytes = 18;
constexpr double MaxSide = 20000.0;

constexpr unsigned SetMapMode = 0x0103;
constexpr unsigned SetWindowOrg = 0x020B;
constexpr unsigned SetWindowExt = 0x020C;
constexpr unsigned SetViewportOrg = 0x020D;
constexpr unsigned SetViewportExt = 0x020E;
constexpr unsigned MmIsotropic = 7;
constexpr unsigned MmAnisotropic = 8;

unsigned le16(const unsigned char* p)
{
    return unsigned(p[0]) | unsigned(p[1]) << 8;
}

uint32_t le32(const unsigned char* p)
{
    return uint32_t(le16(p)) | uint32_t(le16(p + 2)) << 16;
}

int le16s(const unsigned char* p)
{
    return int(int16_t(uint16_t(le16(p))));
}

void put16(std::vector<unsigned char>& out, int value)
{
    out.push_back(static_cast<unsigned char>(value & 0xFF));
    out.push_back(static_cast<unsigned char>((value >> 8) & 0xFF));
}

void putRecord(std::vector<unsigned char>& out, unsigned function, int y, int x)
{
    put16(out, 5);
    put16(out, 0);
    put16(out, int(function));
    put16(out, y);
    put16(out, x);
}

// What the records say about the mapping: whether the window is mapped onto a viewport
// (the usual way a placeable file scales itself), and the first window extent.
struct Mapping
{
    bool scaled = false;
    int windowWidth = 0;
    int windowHeight = 0;
    uint32_t largestRecordWords = 3;
};

Mapping scanMapping(const unsigned char* data, size_t size, size_t at)
{
    Mapping mapping;
    while (at + 6 <= size) {
        const uint64_t bytes = uint64_t(le32(data + at)) * 2;
        const unsigned function = le16(data + at + 4);
        if (bytes < 6 || bytes > size - at)
            break;
        mapping.largestRecordWords = std::max(mapping.largestRecordWords, uint32_t(bytes / 2));
        if (function == 0)
            break;
        if (function == SetMapMode && bytes >= 8) {
            const unsigned mode = le16(data + at + 6);
            mapping.scaled = mapping.scaled || mode == MmIsotropic || mode == MmAnisotropic;
        } else if (function == SetWindowExt && bytes >= 10 && mapping.windowWidth == 0) {
            mapping.windowHeight = le16s(data + at + 6);
            mapping.windowWidth = le16s(data + at + 8);
        }
        at += size_t(bytes);
    }
    return mapping;
}

struct Injected
{
    unsigned function;
    int y;
    int x;
};

// The metafile as libwmf should see it, and the picture's frame in libwmf's device units.
struct Prepared
{
    std::vector<unsigned char> bytes;
    bool placeable = false;
    double frameWidth = 0; // device units
    double frameHeight = 0;
    double pixelsPerUnit = 1.0;
};

// A program that shows a placeable metafile maps the frame its header names onto the
// target: window origin and extent start as the frame, the viewport is the target, and
// the file's own records may set the window. libwmf instead starts with its window at 0
// and a viewport of 1024 x 1024 units, which distorts every file that scales itself. So
// the frame's mapping is put in front of the file's records, with the viewport as large
// as the frame in metafile units. A non-placeable file that scales itself gets a viewport
// as large as its window, so one unit stays one pixel.
Prepared prepare(const unsigned char* data, size_t size)
{
    Prepared result;
    const bool placeable = size >= PlaceableBytes + HeaderBytes && le32(data) == PlaceableKey;
    const size_t header = placeable ? PlaceableBytes : 0;
    const size_t records = header + HeaderBytes;
    const Mapping mapping = scanMapping(data, size, records);
    const unsigned inch = placeable ? le16(data + 14) : 0;

    std::vector<Injected> inject;
    if (placeable && inch > 0) {
        const int left = le16s(data + 6);
        const int top = le16s(data + 8);
        const int width = le16s(data + 10) - left;
        const int height = le16s(data + 12) - top;
        if (width != 0 && height != 0 && std::abs(width) <= 0x7FFF && std::abs(height) <= 0x7FFF) {
            inject = {{SetWindowOrg, top, left},
                      {SetWindowExt, height, width},
                      {SetViewportOrg, 0, 0},
                      {SetViewportExt, std::abs(height), std::abs(width)}};
            result.placeable = true;
            // Without a scaled mapping libwmf counts a placeable file in points.
            const double unit = mapping.scaled ? 1.0 : 72.0 / inch;
            result.frameWidth = std::abs(width) * unit;
            result.frameHeight = std::abs(height) * unit;
            result.pixelsPerUnit = 96.0 / inch / unit;
        }
    } else if (!placeable && mapping.scaled && mapping.windowWidth != 0 &&
               mapping.windowHeight != 0) {
        inject = {{SetViewportExt, std::abs(mapping.windowHeight), std::abs(mapping.windowWidth)}};
    }

    result.bytes.assign(data, data + std::min(records, size));
    for (const Injected& record : inject)
        putRecord(result.bytes, record.function, record.y, record.x);
    if (records < size)
        result.bytes.insert(result.bytes.end(), data + records, data + size);
    if (size >= records) {
        // The header counts the file's length in 16-bit words, and its largest record, which
        // libwmf reserves memory for without looking: the records' own sizes are put there.
        const uint32_t words = uint32_t(result.bytes.size() - header) / 2;
        const uint32_t largest = std::max<uint32_t>(mapping.largestRecordWords, 5);
        for (int i = 0; i < 4; ++i) {
            result.bytes[header + 6 + i] = static_cast<unsigned char>((words >> (8 * i)) & 0xFF);
            result.bytes[header + 12 + i] = static_cast<unsigned char>((largest >> (8 * i)) & 0xFF);
        }
    }
    return result;
}

// libwmf places each raster image with x, y, width and height and then once more with a
// transform that scales and moves it again, so the image lands far off; the transform goes.
void dropImageTransforms(std::string& svg)
{
    static const std::string image = "<image ";
    static const std::string transform = "transform=\"matrix(";
    size_t at = 0;
    while ((at = svg.find(image, at)) != std::string::npos) {
        at += image.size();
        const size_t end = svg.find('>', at);
        const size_t start = svg.find(transform, at);
        if (start == std::string::npos || start > end)
            continue;
        const size_t close = svg.find(')', start);
        if (close == std::string::npos || close + 1 >= end || svg[close + 1] != '"')
            continue;
        svg.erase(start, close + 2 - start);
    }
}

class Api
{
public:
    Api(const Api&) = delete;
    Api& operator=(const Api&) = delete;
    Api()
    {
        wmfAPI_Options options;
        std::memset(&options, 0, sizeof options);
        options.function = wmf_svg_function;
        const unsigned long flags =
            WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
        if (wmf_api_create(&m_api, flags, &options) != wmf_E_None && m_api != nullptr) {
            wmf_api_destroy(m_api);
            m_api = nullptr;
        }
    }
    ~Api()
    {
        if (m_api != nullptr)
            wmf_api_destroy(m_api);
    }
    wmfAPI* get() const { return m_api; }

private:
    wmfAPI* m_api = nullptr;
};

} // namespace

bool wmfToSvg(const unsigned char* data, size_t size, std::string& svgOut, std::mutex& libraryLock)
{
    svgOut.clear();
    if (data == nullptr || size == 0 || size > size_t(LONG_MAX) / 2)
        return false;
    Prepared prepared = prepare(data, size);
    const std::lock_guard<std::mutex> lock(libraryLock);

    // The SVG's description, which the library keeps a pointer to while the API lives.
    char description[] = "";
    Api api;
    if (api.get() == nullptr)
        return false;
    if (wmf_mem_open(api.get(), prepared.bytes.data(), long(prepared.bytes.size())) != wmf_E_None)
        return false;
    wmfD_Rect box;
    if (wmf_scan(api.get(), 0, &box) != wmf_E_None)
        return false;

    if (prepared.placeable) {
        // The scan adds half a pen's width around what is drawn; content that reaches just
        // over the frame's edge by that much still fits the frame. Anything further out
        // widens the picture rather than being cut off.
        const double w = prepared.frameWidth;
        const double h = prepared.frameHeight;
        const double slackX = std::max(1.0, w / 100);
        const double slackY = std::max(1.0, h / 100);
        const bool fits = box.TL.x >= -slackX && box.TL.y >= -slackY && box.BR.x <= w + slackX &&
                          box.BR.y <= h + slackY;
        box.TL.x = fits ? 0.0f : std::min(box.TL.x, 0.0f);
        box.TL.y = fits ? 0.0f : std::min(box.TL.y, 0.0f);
        box.BR.x = fits ? float(w) : std::max(box.BR.x, float(w));
        box.BR.y = fits ? float(h) : std::max(box.BR.y, float(h));
    }
    double width = (double(box.BR.x) - box.TL.x) * prepared.pixelsPerUnit;
    double height = (double(box.BR.y) - box.TL.y) * prepared.pixelsPerUnit;
    if (!std::isfinite(width) || !std::isfinite(height) || width <= 0 || height <= 0)
        return false;
    const double shrink = std::max(width, height) / MaxSide;
    if (shrink > 1.0) {
        width /= shrink;
        height /= shrink;
    }

    wmf_svg_t* device = WMF_SVG_GetData(api.get());
    device->out = wmf_stream_create(api.get(), nullptr);
    if (device->out == nullptr)
        return false;
    device->Description = description;
    device->bbox = box;
    device->width = unsigned(std::max(1.0, std::round(width)));
    device->height = unsigned(std::max(1.0, std::round(height)));
    device->flags |= WMF_SVG_INLINE_IMAGES;

    wmfD_Rect played = box;
    const wmf_error_t error = wmf_play(api.get(), 0, &played);
    char* buffer = nullptr;
    unsigned long length = 0;
    // The buffer belongs to the API and goes with it: copy it out first.
    wmf_stream_destroy(api.get(), device->out, &buffer, &length);
    device->out = nullptr;
    if (error == wmf_E_None && buffer != nullptr)
        svgOut.assign(buffer, strnlen(buffer, length));
    dropImageTransforms(svgOut);
    return !svgOut.empty();
}

} // namespace platform
