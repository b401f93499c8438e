#pragma once

#include <QString>

// The batch tool's messages on a terminal, in the language of the run: one line each,
// "orvella-batch: SUBJECT: TEXT: DETAIL", where the subject is the file concerned.
class Diagnostics
{
public:
    static QString programName() { return QStringLiteral("orvella-batch"); }

    // A database text made fit for one terminal line: line breaks become blanks, and the
    // colon that announces a path (which here comes first) is dropped.
    static QString text(int number);
    static QString line(const QString& subject, const QString& text,
                        const QString& detail = QString());
    // A multi-line text (the usage) with the terminal's line ends.
    static QString block(int number);
};
