#pragma once

#include "PreparedJpegs.h"

#include <QByteArray>
#include <QString>

#include <vector>

// Puts the prepared photos into a PDF that Qt wrote with their stand-ins. Qt compresses
// every picture it is given once more, at a quality of its own, on the thread that draws;
// a stand-in costs it nothing, and here its image object gets the prepared JPEG instead,
// with its real size. Everything else of the file is kept byte for byte; the cross-reference
// table is written anew.
class PdfPictureSwap
{
public:
    // The PDF with every stand-in replaced, or an empty array with `error` set when the file
    // is not laid out as expected or a stand-in has no prepared photo.
    static QByteArray apply(const QByteArray& pdf,
                            const std::vector<PreparedJpegs::Prepared>& photos,
                            QString* error);
};
