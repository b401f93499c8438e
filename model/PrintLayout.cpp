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
                         const std::array<TextBlocks, kFaceCount>& texts)
    : m_print(printFace), m_pictures(pictures), m_captions(captions), m_texts(texts)
{
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
        // The caption goes first, into the band above the frames.
        target.printLine(m_captions[index]);
        for (const Place& place : sheet.places) {
            if (place.face == kNoFace)
                continue;
            if (!m_pictures[place.face].isNull())
                target.drawPicture(m_pictures[place.face], place.rect);
            const FaceInfo& face = kFaces[size_t(place.face)];
            for (const TextBlock& block : m_texts[size_t(place.face)])
                target.drawText(block, QSizeF(face.widthMm, face.heightMm), place.rect);
            // The frame follows its picture, so its line lies on the picture's edges, and
            // it is drawn even without a picture: it marks where to cut.
            target.drawFrame(place.rect);
        }
        target.endPage();
    }
    return target.endJob();
}
