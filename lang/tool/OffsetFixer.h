#pragma once

#include <QString>

class QTextStream;

namespace langtool {

// Rewrites each LanguageNStart value of a language database to the exact position of its
// section, and leaves every other byte of the file as it was.
class OffsetFixer
{
public:
    // Reports each changed value on out and problems on err; 0 when the file is right
    // afterwards (changed or not), 1 when it could not be fixed.
    static int run(const QString& path, QTextStream& out, QTextStream& err);
};

} // namespace langtool
