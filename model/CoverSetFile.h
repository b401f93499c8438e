#pragma once

#include "DiscShape.h"
#include "Faces.h"
#include "TextBlock.h"

#include <QString>

#include <array>

// A file is a cover-set file by its extension after the last dot, in any letter case.
inline bool isCoverSetFileName(const QString& path)
{
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return dot > slash && path.mid(dot + 1).compare(QLatin1String("ovc"), Qt::CaseInsensitive) == 0;
}

// The four picture paths a cover-set file names, by face index. A missing file, section or
// key reads as an empty path; blanks around a path are not part of it.
using CoverSetPaths = std::array<QString, kFaceCount>;
CoverSetPaths readCoverSetFile(const QString& path);

// The text blocks of each face, by face index.
using CoverSetTexts = std::array<TextBlocks, kFaceCount>;
CoverSetTexts readCoverSetTexts(const QString& path);
// The CD face's shape the set keeps in its Layout section; a rectangle without one.
DiscShape readCoverSetShape(const QString& path);

// Whether a file is a cover set at all: text (no NUL byte), no larger than a profile file may
// be, with a Files section. Anything else, read as a set, would only give four empty faces.
bool holdsCoverSet(const QString& path);

// Writes the four keys, the faces' text blocks and the CD face's shape in one atomic replace,
// keeping every other line of an existing file; a set without text and with a rectangular CD
// face is written exactly as the four keys alone. False when the file could not be written;
// it is then left as it was.
bool writeCoverSetFile(const QString& path, const CoverSetPaths& paths,
                       const CoverSetTexts& texts = {}, const DiscShape& cdShape = {});

// Where a picture path the set holds points: a relative one is taken from the set file's
// folder (sets are moved and shared together with their pictures), not from wherever the
// program happens to run. A set not saved yet has no folder; its paths stay as they are.
QString resolvePicturePath(const QString& setFile, const QString& picturePath);

// The path to write for a picture when a set named `picturePath` in `fromSet` is saved as
// `toSet`: one that names the same file from the new file's folder, relative when the picture
// lies in that folder or below it, absolute otherwise.
QString relocatePicturePath(const QString& fromSet, const QString& toSet,
                            const QString& picturePath);
