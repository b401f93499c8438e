#pragma once

#include "DiscShape.h"
#include "Faces.h"
#include "LabelSheet.h"
#include "Picture.h"
#include "TextBlock.h"

#include <QList>
#include <QLineF>
#include <QRectF>

#include <array>
#include <optional>

class PrintTarget;

// How the sheets go on paper beyond which faces print.
struct PrintOptions
{
    DiscShape cdShape;                    // the CD face's outline
    std::optional<LabelSheet> labelSheet; // the CD face onto ready-cut labels
    QList<int> positions;                 // which labels, from 1; empty: every one
    bool foldMarks = false;               // on the Back's sheet
};

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

    static constexpr int kSheetCount = 3;
    // Fold marks: this long, outside the Back's frame above and below it, where the tray
    // card folds (TextBlock::kSpineWidthMm in from its left and right edges).
    static constexpr double kFoldMarkMm = 3;

    using Options = PrintOptions;
    // The line printed above each sheet's frames, sheet 1 first, in the user's language.
    using Captions = std::array<QString, kSheetCount>;
    // Each sheet's caption as `text` words its string number (LangString, in the program).
    static Captions captionsFrom(QString (*text)(int));

    // Which faces were chosen, each face's picture (empty when it has none), the sheets'
    // captions, and the text written on each face over its picture.
    PrintLayout(const std::array<bool, kFaceCount>& printFace,
                const std::array<platform::Picture, kFaceCount>& pictures,
                const Captions& captions, const std::array<TextBlocks, kFaceCount>& texts = {},
                const Options& options = {});

    // How many sheets would come out (0 to 3): no printer needs to be asked for none.
    int sheetCount() const;
    // The sheets that come out, numbered 1 to 3, in order.
    QList<int> printedSheets() const;
    // What sheet 1, 2 or 3 covers: its frames together, in millimetres from the printable
    // area's corner. Its caption's string number, and the caption this layout prints.
    static QRectF sheetFrames(int sheet);
    // The same for this layout's sheets (a round CD label is its square); empty for a sheet
    // of labels, which lie where the paper has them.
    QRectF frames(int sheet) const;
    // Where a round CD label's square lies on its own sheet.
    static QRectF roundCdSquare(const DiscShape& shape);
    // The fold marks of the Back's sheet, each from its end at the frame outwards.
    static std::array<QLineF, 4> foldMarks();
    static int sheetCaption(int sheet);
    QString caption(int sheet) const;
    bool printsAnything() const { return sheetCount() > 0; }

    // The whole job. A failing operation is skipped and the next one runs; the result is
    // the job end's (false: the job as a whole failed).
    bool print(PrintTarget& target) const;

private:
    std::array<bool, kFaceCount> m_print;
    std::array<platform::Picture, kFaceCount> m_pictures;
    Captions m_captions;
    std::array<TextBlocks, kFaceCount> m_texts;
    Options m_options;

    // One face in its place: picture, text and the line to cut along.
    void printFace(PrintTarget& target, int face, const QRectF& rect) const;
    // A round label's square: picture and text within its ring, and the ring's two circles.
    void printLabel(PrintTarget& target, const QRectF& square, const DiscShape& ring) const;
    void printLabelSheet(PrintTarget& target) const;
};
