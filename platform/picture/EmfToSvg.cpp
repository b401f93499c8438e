#include "EmfToSvg.h"

#include <emf2svg.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace platform {

namespace {

// nDescription and offDescription of the EMF header.
constexpr size_t DescriptionFields = 44;
constexpr size_t HeaderDescriptionEnd = 52;
constexpr size_t TrailingZeros = 8;

} // namespace

bool emfToSvg(const unsigned char* data, size_t size, std::string& svgOut, std::mutex& libraryLock)
{
    svgOut.clear();
    if (data == nullptr || size == 0)
        return false;
    const std::lock_guard<std::mutex> lock(libraryLock);

    // The library takes a mutable buffer; it gets a copy so the caller's bytes stay untouched
    // whatever it does. The header's description (a title for file browsers, never drawn)
    // is read as a text up to its terminating zero, wherever that is: the copy names none,
    // and ends in zeros that stop any other such scan within the copy.
    std::vector<char> contents(data, data + size);
    contents.resize(size + TrailingZeros, '\0');
    if (size >= HeaderDescriptionEnd)
        std::fill(contents.begin() + DescriptionFields, contents.begin() + HeaderDescriptionEnd,
                  '\0');
    char emptyNameSpace[] = "";
    generatorOptions options{};
    options.nameSpace = emptyNameSpace;
    options.verbose = false;
    // EMF+ support is partial; the GDI records that dual files carry draw more reliably.
    options.emfplus = false;
    options.svgDelimiter = true;
    options.imgWidth = 0;
    options.imgHeight = 0;

    char* out = nullptr;
    size_t length = 0;
    const int ok = emf2svg(contents.data(), size, &out, &length, &options);
    if (ok && out != nullptr && length > 0)
        svgOut.assign(out, length);
    std::free(out);
    return ok && !svgOut.empty();
}

} // namespace platform
