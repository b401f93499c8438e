#pragma once

#include "Faces.h"
#include "Picture.h"

#include <QList>
#include <QRectF>

#include <array>

class PrintTarget;

// The sheets of one cover set on landscape paper, in millimetres from the top-left corner of
// the printable area: Inside and Front side by side as two squares on the first sheet, Back
// and CD each a rectangle of the same size and place on a sheet of its own. Every picture is
// stretched to its rectangle and framed by the line the user cuts along.
class PrintLayout
{
public:
    static constexpr QRectF kInsideRect{20, 20, 120, 120};
    static constexpr QRectF kFrontRect{140, 20, 120, 120};
    static constexpr QRectF kBackRect{20, 20, 150, 118};
    static constexpr QRectF kCdRect{20, 20, 150, 118};

    // Which faces were chosen, and each face's picture (empty when it has none).
    PrintLayout(const std::array<bool, kFaceCount>& printFace,
                const std::array<platform::Picture, kFaceCount>& pictures);

    static constexpr int kSheetCount = 3;

    // How many sheets would come out (0 to 3): no printer needs to be asked for none.
    int sheetCount() const;
    // The sheets that come out, numbered 1 to 3, in order.
    QList<int> printedSheets() const;
    // What sheet 1, 2 or 3 covers: its frames together, in millimetres from the printable
    // area's corner. And its caption's string number.
    static QRectF sheetFrames(int sheet);
    static int sheetCaption(int sheet);
    bool printsAnything() const { return sheetCount() > 0; }

    // The whole job with the busy cursor up. A failing operation is skipped and the next
    // one runs; the result is the job end's (false: the job as a whole failed).
    bool print(PrintTarget& target) const;

private:
    std::array<bool, kFaceCount> m_print;
    std::array<platform::Picture, kFaceCount> m_pictures;
};
