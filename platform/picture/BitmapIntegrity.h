#pragma once

#include <QByteArray>

namespace platform {

// Whether the bytes of a bitmap file of the given reader format hold the whole picture.
// Several decoders quietly return a partial picture for a cut-off file (JPEG, BMP), and
// large pictures are not decoded when they are loaded, so the file's own structure is
// walked instead: markers, chunks, blocks, strips and directory entries must all lie
// inside the file. Cheap (no decoding) and bounded by the file's size. Formats it does
// not know pass; their decoders judge them.
bool isBitmapComplete(const QByteArray& format, const QByteArray& bytes);

// Whether a JPEG's frame is progressive: its decoder then keeps every coefficient of the
// whole picture, however small the copy it is asked for.
bool isProgressiveJpeg(const QByteArray& bytes);

} // namespace platform
