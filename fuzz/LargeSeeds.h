#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

// Seeds of the sizes real files have. libFuzzer lengthens its inputs only a few bytes at a
// time, so without these it never tries a file of more than a few KB: the readers' costs
// that grow with a file's structure (strips, scans, lines) would go unseen.
namespace largeseeds {

// Gradients under noise and a few shapes: compresses like a photo, not like a flat fill.
QImage drawnPicture(const QSize& size, quint32 seed);
// RGB, uncompressed, in strips of `rowsPerStrip` rows (Qt's writer makes one strip of the
// whole picture), the directory after the pixels.
QByteArray multiStripTiff(const QImage& image, int rowsPerStrip);
QByteArray progressiveJpeg(const QImage& image, int quality);
// RGB, 8 bits a sample, Adam7 interlaced (Qt's writer only writes the plain layout).
QByteArray interlacedPng(const QImage& image);

// "name;address" lines, CR LF, until the file is about `bytes` long.
QByteArray siteList(qint64 bytes);
// A cover-set file whose [Files] keys come after `bytes` of other sections and comments,
// with a second [Files] section at its end that the reader must not take.
QByteArray coverSet(qint64 bytes);
// A cue sheet of `tracks` tracks as a ripper writes one (REM lines, the album's and each
// track's TITLE and PERFORMER, INDEX 00 and 01, long titles), in Windows-1252 when
// `windows1252`, with `padding` bytes of REM COMMENT lines before its first TRACK.
QByteArray cueSheet(int tracks, bool windows1252, qint64 padding = 0);
// A language database of the standard layout with `languages` languages of `strings`
// strings each.
QByteArray languageDatabase(int languages, int strings);

} // namespace largeseeds
