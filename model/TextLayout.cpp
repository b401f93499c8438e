#include "TextLayout.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;
// The least room between a line's text and what a TAB puts flush right after it.
constexpr double kTabGapMm = 1.5;

} // namespace

// A line of one of the layouts, where it was placed (or not placed: cut off at the box).
struct TextLayout::Line
{
    QTextLayout* layout;
    int line;    // its index in the layout
    bool placed; // within the box's columns
};

TextLayout::TextLayout(const TextBlock& block) : m_block(block.normalized())
{
    if (layOut(m_block.size) || !m_block.shrink)
        return;
    // The largest of the sizes 0.5 pt apart from 4 pt up that fits. Lines take room in both
    // directions as the size grows, so the first guess is the size whose lines would fill the
    // box as many as there are; then the steps between one that fits and one that does not
    // are halved. A long list at 144 pt is laid out a few times, not 280.
    const auto sizeOf = [](int step) { return TextBlock::kMinSize + step * 0.5; };
    int high = int(std::lround((m_block.size - TextBlock::kMinSize) * 2)); // does not fit
    const double fill = m_lineCount > 0 ? std::sqrt(double(m_lineRoom) / m_lineCount) : 1.0;
    int low = 0; // fits, or nothing does
    int guess = std::clamp(int(std::floor((m_block.size * fill - TextBlock::kMinSize) * 2)), 0,
                           high - 1);
    bool guessFits = layOut(sizeOf(guess));
    if (guessFits) {
        low = guess;
    } else {
        high = guess;
        if (guess == 0 || !layOut(sizeOf(0)))
            return; // not even the smallest size fits: it is kept, cut at the box
    }
    while (high - low > 1) {
        // From a guess that fits, try the next step first: the guess is usually close.
        const int middle = guessFits && low == guess ? low + 1 : (low + high) / 2;
        if (layOut(sizeOf(middle)))
            low = middle;
        else
            high = middle;
        guessFits = false;
    }
    if (m_pointSize != sizeOf(low))
        layOut(sizeOf(low));
}

TextLayout::~TextLayout() = default;
TextLayout::TextLayout(TextLayout&& other) noexcept = default;
TextLayout& TextLayout::operator=(TextLayout&& other) noexcept = default;

QFont TextLayout::layoutFont(const TextBlock& block)
{
    QFont font(block.font);
    font.setPixelSize(kReferencePixels);
    font.setBold(block.bold);
    font.setItalic(block.italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferOutline);
    return font;
}

QSizeF TextLayout::frameSize() const
{
    const QSizeF box = m_block.box.size();
    return m_block.rotation % 180 == 0 ? box : box.transposed();
}

QTransform TextLayout::frameToFace() const
{
    const QRectF& box = m_block.box;
    QTransform t;
    switch (m_block.rotation) {
    case 90:
        t.translate(box.right(), box.top());
        break;
    case 180:
        t.translate(box.right(), box.bottom());
        break;
    case 270:
        t.translate(box.left(), box.bottom());
        break;
    default:
        t.translate(box.left(), box.top());
        break;
    }
    t.rotate(m_block.rotation);
    return t;
}

bool TextLayout::layOut(double pointSize)
{
    m_pointSize = pointSize;
    ++m_passes;
    // The font's pixels at the reference size, in millimetres at this one.
    m_mmPerUnit = pointSize / kPointsPerMm / kReferencePixels;
    const double unitsPerMm = 1 / m_mmPerUnit;
    m_layouts.clear();
    m_lines.clear();

    const QFont font = layoutFont(m_block);
    const QFontMetricsF metrics(font);
    const double lineHeight = metrics.lineSpacing();
    const QSizeF frame = frameSize() * unitsPerMm;
    const int columns = m_block.columns;
    const double gap = TextBlock::kColumnGapMm * unitsPerMm;
    const double columnWidth = qMax(1.0, (frame.width() - gap * (columns - 1)) / columns);
    const int rows = int(std::floor((frame.height() + 1e-6) / lineHeight));
    bool fits = rows >= 1;

    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setAlignment(m_block.align == TextBlock::Align::Center  ? Qt::AlignHCenter
                        : m_block.align == TextBlock::Align::Right ? Qt::AlignRight
                                                                   : Qt::AlignLeft);
    option.setUseDesignMetrics(true);
    QTextOption flushRight;
    flushRight.setWrapMode(QTextOption::NoWrap);
    flushRight.setAlignment(Qt::AlignRight);
    flushRight.setUseDesignMetrics(true);

    // The visual lines in reading order, each a line of a paragraph's text and what followed
    // its TAB (either may be missing); each is given its column and row below.
    struct Visual
    {
        QTextLayout* left = nullptr;
        int leftLine = -1;
        QTextLayout* right = nullptr;
    };
    std::vector<Visual> visual;

    QString text = m_block.text;
    text.remove(QLatin1Char('\r'));
    const QStringList paragraphs = text.split(QLatin1Char('\n'));
    for (const QString& paragraph : paragraphs) {
        const qsizetype tab = paragraph.indexOf(QLatin1Char('\t'));
        const QString leftText = tab < 0 ? paragraph : paragraph.left(tab);
        QString rightText = tab < 0 ? QString() : paragraph.mid(tab + 1).trimmed();
        rightText.replace(QLatin1Char('\t'), QLatin1Char(' '));

        m_layouts.push_back(std::make_unique<QTextLayout>(leftText, font));
        QTextLayout* left = m_layouts.back().get();
        left->setTextOption(option);
        left->beginLayout();
        for (QTextLine line = left->createLine(); line.isValid(); line = left->createLine())
            line.setLineWidth(columnWidth);
        left->endLayout();
        for (int i = 0; i < left->lineCount(); ++i)
            visual.push_back({left, i, nullptr});

        if (rightText.isEmpty())
            continue;
        m_layouts.push_back(std::make_unique<QTextLayout>(rightText, font));
        QTextLayout* right = m_layouts.back().get();
        right->setTextOption(flushRight);
        right->beginLayout();
        QTextLine rightLine = right->createLine();
        rightLine.setLineWidth(columnWidth);
        right->endLayout();
        const bool blankLeft = leftText.trimmed().isEmpty();
        const bool room =
            blankLeft || left->lineAt(left->lineCount() - 1).naturalTextWidth() +
                                 kTabGapMm * unitsPerMm + rightLine.naturalTextWidth() <=
                             columnWidth + 1e-6;
        if (room)
            visual.back().right = right;
        else
            visual.push_back({nullptr, -1, right});
    }

    m_lineCount = int(visual.size());
    m_lineRoom = qMax(0, rows) * columns;
    for (size_t i = 0; i < visual.size(); ++i) {
        const int column = rows > 0 ? int(i) / rows : columns;
        const int row = rows > 0 ? int(i) % rows : 0;
        const bool placed = column < columns;
        fits = fits && placed;
        const QPointF at(column * (columnWidth + gap), row * lineHeight);
        const auto place = [&](QTextLayout* layout, int index) {
            QTextLine line = layout->lineAt(index);
            line.setPosition(at);
            fits = fits && line.naturalTextWidth() <= columnWidth + 1e-6;
            m_lines.push_back({layout, index, placed});
        };
        if (visual[i].left)
            place(visual[i].left, visual[i].leftLine);
        if (visual[i].right)
            place(visual[i].right, 0);
    }
    m_fits = fits;
    return fits;
}

QTransform TextLayout::unitsToFace() const
{
    return QTransform::fromScale(m_mmPerUnit, m_mmPerUnit) * frameToFace();
}

QList<TextLayout::Word> TextLayout::words() const
{
    QList<Word> result;
    const QTransform toFace = unitsToFace();
    const QSizeF frame = frameSize() / m_mmPerUnit;
    for (const Line& placed : m_lines) {
        if (!placed.placed)
            continue;
        const QTextLine line = placed.layout->lineAt(placed.line);
        const QString text = placed.layout->text();
        const double baseline = line.position().y() + line.ascent();
        if (line.position().y() + line.height() > frame.height() + 1e-6)
            continue;
        const int end = line.textStart() + line.textLength();
        int i = line.textStart();
        while (i < end) {
            while (i < end && text.at(i).isSpace())
                ++i;
            int j = i;
            while (j < end && !text.at(j).isSpace())
                ++j;
            if (j > i) {
                const double x0 = line.cursorToX(i);
                const double x1 = line.cursorToX(j);
                result.append({text.mid(i, j - i), toFace.map(QPointF(x0, baseline)),
                               toFace.map(QPointF(x1, baseline))});
            }
            i = j;
        }
    }
    return result;
}

void TextLayout::draw(QPainter& painter) const
{
    painter.save();
    painter.setClipRect(m_block.box, Qt::IntersectClip);
    painter.setTransform(unitsToFace() * painter.transform());
    painter.setPen(m_block.color);
    for (const Line& placed : m_lines) {
        if (placed.placed)
            placed.layout->lineAt(placed.line).draw(&painter, QPointF(0, 0));
    }
    painter.restore();
}
