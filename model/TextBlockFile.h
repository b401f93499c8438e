#pragma once

#include "Faces.h"
#include "PrivateProfile.h"
#include "TextBlock.h"

// Text blocks as the cover-set file holds them: after the Files section, one section a block,
// numbered from 1 for each face ("[Front.Text1]", "[Back.Text2]"), read and written through
// the profile functions so that every other byte of the file stays as it is.
namespace TextBlockFile {

// The section of a face's block, `number` counting from 1.
QString sectionName(const FaceInfo& face, int number);

// A block's text as one profile value: line breaks, tabs and backslashes escaped ("\n",
// "\t", "\\"), and what the profile reader would drop at either end ("\s" for a blank, "\q"
// for a double quote, "\a" for a single quote).
QString escapeText(const QString& text);
QString unescapeText(const QString& value);

// The face's blocks: numbering stops at the first missing section; unknown keys are ignored,
// numbers are clamped into their ranges, and a block without a box or whose box lies wholly
// outside the face (`faceMm` in size) is skipped.
TextBlocks read(const platform::ProfileFile& file, const FaceInfo& face, const QSizeF& faceMm);

// What makes the file hold `blocks` for the face: their sections written, and those of
// blocks that are gone (as the file `existing` holds them) removed. Nothing at all for a face
// without blocks in a file without any, so that such a file is written as it always was.
QList<platform::ProfileSectionEdit> edits(const platform::ProfileFile& existing,
                                          const FaceInfo& face, const TextBlocks& blocks);

} // namespace TextBlockFile
