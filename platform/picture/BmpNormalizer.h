#pragma once

#include <QByteArray>

#include <optional>

namespace platform {

// Qt's bitmap reader trusts a bitmap's header more than it should: it looks up colours past
// a colour table shorter than the indices the pixels use, leaves the pixels that run-length
// data skips as whatever the memory held, and decodes headers of sizes no writer makes from
// bytes that are not there. What it would show is then memory of the program, not the file.
//
// The bytes it is handed are therefore put in order first: a bitmap whose header is sound
// and whose pixels can only name colours of its own table goes through untouched (shared,
// not copied); one with a short colour table or run-length pixels is rewritten as a plain
// bitmap with a full table (missing colours black) and every pixel set (skipped pixels take
// colour 0, as on a cleared bitmap); anything else is refused (nullopt).
//
// `fileHeader` says whether the bytes start with the 14-byte file header ("BM"), or are a
// bare device-independent bitmap as programs put it on the clipboard. A rewrite always has
// a file header.
std::optional<QByteArray> normalizedBmp(const QByteArray& bytes, bool fileHeader);

} // namespace platform
