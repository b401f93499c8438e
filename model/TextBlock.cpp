#include "TextBlock.h"

#include <algorithm>
#include <cmath>

TextBlock TextBlock::normalized() const
{
    TextBlock block = *this;
    if (!std::isfinite(block.size))
        block.size = 12.0;
    block.size = std::clamp(std::round(block.size * 2) / 2, kMinSize, kMaxSize);
    block.columns = std::clamp(block.columns, 1, kMaxColumns);
    block.rotation = ((block.rotation % 360 + 360) % 360) / 90 * 90;
    block.text.truncate(kMaxTextChars);
    if (block.font.trimmed().isEmpty())
        block.font = TextBlock().font;
    if (!block.color.isValid())
        block.color = QColor(0, 0, 0);
    block.color.setAlpha(255);
    const auto finite = [](double v, double otherwise) { return std::isfinite(v) ? v : otherwise; };
    // Hundredths of a millimetre, as the file keeps them, so a block reads back as it was.
    const auto mm = [&finite](double v, double otherwise, double low, double high) {
        return std::round(std::clamp(finite(v, otherwise), low, high) * 100) / 100;
    };
    block.box = QRectF(mm(block.box.x(), 0.0, -1000.0, 1000.0),
                       mm(block.box.y(), 0.0, -1000.0, 1000.0),
                       mm(block.box.width(), 1.0, 1.0, 1000.0),
                       mm(block.box.height(), 1.0, 1.0, 1000.0));
    return block;
}

bool TextBlock::touches(const QSizeF& faceMm) const
{
    return box.intersects(QRectF(QPointF(0, 0), faceMm));
}
