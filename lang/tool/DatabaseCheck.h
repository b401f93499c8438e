#pragma once

#include <QString>

class QTextStream;

namespace langtool {

// Finds everything the program would stumble over in a language database: every fault of
// a load in each language, the strings the program uses that a language leaves missing or
// empty, and start positions that miss their section.
class DatabaseCheck
{
public:
    // One line per fault: the program's own messages on err, the other findings on out.
    // Returns 1 when there was a fault, else 0 after a summary on out.
    static int run(const QString& path, QTextStream& out, QTextStream& err);
};

} // namespace langtool
