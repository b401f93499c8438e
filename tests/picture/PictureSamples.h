#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QSize>

// Small picture files of every kind the program reads, made in memory.
namespace samples {

inline const QColor Red(255, 0, 0);
inline const QColor Blue(0, 0, 255);

// Left half red, right half blue: a swapped width and height, a mirror or a lost half shows.
QImage twoColours(const QSize& size = QSize(64, 48));
// Through Qt's writer for the format; quality 100 where the codec has it.
QByteArray encode(const QImage& image, const char* format);
// Qt writes no GIF: an uncompressed-LZW encoder (red, blue, anything else black).
QByteArray gif(const QImage& image);
// One icon file holding the images of several single-image icon files.
QByteArray mergeIcons(const QList<QByteArray>& icons);
// An icon file turned into a cursor file (type 2).
QByteArray cursorFrom(const QByteArray& icon);
// A red rectangle without outline filling the whole frame of `width` x `height` units.
// With `bitmap` a blue 2 x 2 bitmap covers the right half; its header claims that size.
// `windowScale` > 0 draws in a window of that many times the frame's units, mapped onto
// the frame (MM_ANISOTROPIC), as most programs write their metafiles.
QByteArray wmf(bool placeable, int width, int height, int unitsPerInch = 1440,
               const QSize& bitmap = QSize(), int windowScale = 0);
// The same as an enhanced metafile whose reference device has 96 pixels an inch.
QByteArray emf(int width, int height, const QSize& bitmap = QSize());
// An 8-bit grey TIFF whose directory comes before its single strip (Qt's writer puts it
// after), so a cut-off file still tells its size.
QByteArray tiffDirectoryFirst(int width, int height);
// Files whose headers claim a size but hold no such picture.
QByteArray pngClaiming(quint32 width, quint32 height);
QByteArray bmpClaiming(qint32 width, qint32 height);

} // namespace samples
