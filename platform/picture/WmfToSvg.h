#pragma once

#include <cstddef>
#include <mutex>
#include <string>

// Kept free of Qt: libwmf's headers define U8, U16 and U32, which clash with Qt's.

namespace platform {

// Converts Windows metafile bytes (placeable or not) to an SVG document whose width and
// height are the picture's natural size in pixels at 96 dpi (at most 20000 on a side).
// A placeable file keeps the frame its header names; content drawn outside that frame
// widens it rather than being cut off. False when libwmf cannot play the file.
// Conversions run one at a time under `libraryLock`: libwmf's font handling is not known to
// be thread-safe.
bool wmfToSvg(const unsigned char* data, size_t size, std::string& svgOut, std::mutex& libraryLock);

} // namespace platform
