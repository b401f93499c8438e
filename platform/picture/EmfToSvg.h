#pragma once

#include <cstddef>
#include <mutex>
#include <string>

namespace platform {

// Converts enhanced metafile bytes to an SVG document with libemf2svg. The document's size
// is the drawing's bounds in the metafile's device pixels. False when the library cannot
// read the file. Conversions run one at a time under `libraryLock`.
bool emfToSvg(const unsigned char* data, size_t size, std::string& svgOut, std::mutex& libraryLock);

} // namespace platform
