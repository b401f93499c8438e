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

// The bytes a pixel costs a JPEG decoder that keeps every coefficient of the whole picture,
// however small the copy it is asked for: it does for a progressive frame and for more than
// one scan. 0 for a file of one sequential scan, which is decoded band by band.
//
// Judged from every marker in the file, wherever it lies, rather than by walking the file as
// one decoder would: a crafted file can make two walks disagree. A marker's two bytes never
// occur inside coded data (there a 0xFF byte is followed by 0 or a restart), so the count is
// only ever too careful, as for a baseline photo whose embedded thumbnail adds a scan.
int jpegCoefficientBytesPerPixel(const QByteArray& bytes);

} // namespace platform
