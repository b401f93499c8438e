#include "PrintLayout.h"

#include "PrintTarget.h"

namespace {

constexpr int kFront = 0;
constexpr int kInside = 1;
constexpr int kBack = 2;
constexpr int kCd = 3;
constexpr int kNoFace = -1;

struct Place
{
    int face;
    QRectF rect;
};

struct Sheet
{
    int caption;
    std::array<Place, 2> places; // left to right
    // Without its picture or text the sheet is left out altogether (no caption, frame or page).
    // The booklet's two faces instead always travel together, pictures or not.
    bool needsPictures;
};

const std::array<Sheet, PrintLayout::kSheetCount> kSheets = {{
    {1318, {{{kInside, PrintLayout::kInsideRect}, {kFront, PrintLayout::kFrontRect}}}, false},
    {1316, {{{kBack, PrintLayout::kBackRect}, {kNoFace, QRectF()}}}, true},
    {1192, {{{kCd, PrintLayout::kCdRect}, {kNoFace, QRectF()}}}, true},
}};

bool isPrinted(const Sheet& sheet, const std::array<bool, kFaceCount>& printFace,
               const std::array<platform::Picture, kFaceCount>& pictures,
               const std::array<TextBlocks, kFaceCount>& texts)
{
    bool chosen = false;
    for (const Place& place : sheet.places) {
        if (place.face == kNoFace)
            continue;
        chosen = chosen || printFace[place.face];
        if (sheet.needsPictures && pictures[place.face].isNull() && texts[place.face].isEmpty())
            return false;
    }
    return chosen;
}

} // namespace

PrintLayout::PrintLayout(const std::array<bool, kFaceCount>& printFace,
                         const std::array<platform::Picture, kFaceCount>& pictures,
                         const Captions& captions,
                         const std::array<TextBlocks, kFaceCount>& texts,
                         const Options& options)
    : m_print(printFace), m_pictures(pictures), m_captions(captions), m_texts(texts),
      m_options(options)
{
    m_options.cdShape = m_options.cdShape.normalized();
}

PrintLayout::Captions PrintLayout::captionsFrom(QString (*text)(int))
{
    Captions captions;
    for (int sheet = 1; sheet <= kSheetCount; ++sheet)
        captions[size_t(sheet - 1)] = text(sheetCaption(sheet));
    return captions;
}

QString PrintLayout::caption(int sheet) const
{
    return sheet < 1 || sheet > kSheetCount ? QString() : m_captions[size_t(sheet - 1)];
}

int PrintLayout::sheetCount() const
{
    int count = 0;
    for (const Sheet& sheet : kSheets)
        count += isPrinted(sheet, m_print, m_pictures, m_texts) ? 1 : 0;
    return count;
}

QList<int> PrintLayout::printedSheets() const
{
    QList<int> sheets;
    for (int i = 0; i < kSheetCount; ++i) {
        if (isPrinted(kSheets[i], m_print, m_pictures, m_texts))
            sheets.append(i + 1);
    }
    return sheets;
}

QRectF PrintLayout::sheetFrames(int sheet)
{
    if (sheet < 1 || sheet > kSheetCount)
        return QRectF();
    QRectF frames;
    for (const Place& place : kSheets[sheet - 1].places) {
        if (place.face != kNoFace)
            frames = frames.united(place.rect);
    }
    return frames;
}

QRectF PrintLayout::frames(int sheet) const
{
    if (sheet == 3 && m_options.labelSheet)
        return QRectF();
    if (sheet == 3 && m_options.cdShape.round)
        return roundCdSquare(m_options.cdShape);
    return sheetFrames(sheet);
}

QRectF PrintLayout::roundCdSquare(const DiscShape& shape)
{
    return QRectF(kCdRect.topLeft(), QSizeF(shape.outer, shape.outer));
}

std::array<QLineF, 4> PrintLayout::foldMarks()
{
    const QRectF back = kBackRect;
    const double left = back.left() + TextBlock::kSpineWidthMm;
    const double right = back.right() - TextBlock::kSpineWidthMm;
    return {QLineF(left, back.top(), left, back.top() - kFoldMarkMm),
            QLineF(right, back.top(), right, back.top() - kFoldMarkMm),
            QLineF(left, back.bottom(), left, back.bottom() + kFoldMarkMm),
            QLineF(right, back.bottom(), right, back.bottom() + kFoldMarkMm)};
}

int PrintLayout::sheetCaption(int sheet)
{
    return sheet < 1 || sheet > kSheetCount ? 0 : kSheets[sheet - 1].caption;
}

bool PrintLayout::print(PrintTarget& target) const
{
    // Results are deliberately dropped until the job end: a refused setting or a picture
    // that cannot be drawn must not cost the rest of the job.
    target.setLandscape();
    target.setMillimetres();
    for (size_t index = 0; index < std::size(kSheets); ++index) {
        const Sheet& sheet = kSheets[index];
        if (!isPrinted(sheet, m_print, m_pictures, m_texts))
            continue;
        if (sheet.places[0].face == kCd && m_options.labelSheet) {
            printLabelSheet(target);
            continue;
        }
        // The caption goes first, into the band above the frames.
        target.printLine(m_captions[index]);
        for (const Place& place : sheet.places) {
            if (place.face == kCd && m_options.cdShape.round)
                printLabel(target, roundCdSquare(m_options.cdShape), m_options.cdShape);
            else if (place.face != kNoFace)
                printFace(target, place.face, place.rect);
        }
        if (sheet.places[0].face == kBack && m_options.foldMarks) {
            for (const QLineF& mark : foldMarks())
                target.drawLine(mark.p1(), mark.p2());
        }
        target.endPage();
    }
    return target.endJob();
}

void PrintLayout::printFace(PrintTarget& target, int face, const QRectF& rect) const
{
    if (!m_pictures[face].isNull())
        target.drawPicture(m_pictures[face], rect);
    const FaceInfo& info = kFaces[size_t(face)];
    for (const TextBlock& block : m_texts[size_t(face)])
        target.drawText(block, QSizeF(info.widthMm, info.heightMm), rect);
    // The frame follows its picture, so its line lies on the picture's edges, and it is
    // drawn even without a picture: it marks where to cut.
    target.drawFrame(rect);
}

void PrintLayout::printLabel(PrintTarget& target, const QRectF& square,
                             const DiscShape& ring) const
{
    const QRectF hole = ring.holeIn(square);
    target.clipToRing(square, hole);
    if (!m_pictures[kCd].isNull())
        target.drawPicture(m_pictures[kCd], square);
    // The blocks stand where they stand on the face's own square, however large the label.
    const DiscShape& face = m_options.cdShape.round ? m_options.cdShape : ring;
    for (const TextBlock& block : m_texts[kCd])
        target.drawText(block, face.square().size(), square);
    target.endClip();
    target.drawCircle(square);
    if (!hole.isEmpty())
        target.drawCircle(hole);
}

void PrintLayout::printLabelSheet(PrintTarget& target) const
{
    const LabelSheet& sheet = *m_options.labelSheet;
    target.setLabelPaper(sheet.paperMm);
    // The labels lie on the paper; the target draws from its printable area's corner.
    const QPointF origin = target.printableOrigin();
    const DiscShape ring{true, sheet.outer, sheet.hole};
    QList<int> positions = m_options.positions;
    if (positions.isEmpty()) {
        for (int p = 1; p <= sheet.centres.size(); ++p)
            positions.append(p);
    }
    for (const int position : std::as_const(positions)) {
        const QRectF square = sheet.labelSquare(position);
        if (!square.isEmpty())
            printLabel(target, square.translated(-origin), ring);
    }
    target.endPage();
}
