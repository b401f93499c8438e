#pragma once

#include <QColor>
#include <QList>
#include <QRectF>
#include <QString>

// Text written on a face over its picture: a title, a track list, a spine's line. Its box is
// in millimetres from the face's top-left corner; its text is laid out by TextLayout.
struct TextBlock
{
    enum class Align
    {
        Left,
        Center,
        Right
    };

    static constexpr int kMaxPerFace = 64;
    static constexpr int kMaxTextChars = 16 * 1024 - 1;
    static constexpr double kMinSize = 4.0;
    static constexpr double kMaxSize = 144.0;
    static constexpr int kMaxColumns = 4;
    // The space between two columns.
    static constexpr double kColumnGapMm = 3.0;
    // The width of a spine: the strips at the Back's left and right edges where it folds.
    static constexpr double kSpineWidthMm = 6.5;

    QString text;
    QString font = QStringLiteral("DejaVu Sans");
    double size = 12.0; // points
    bool bold = false;
    bool italic = false;
    QColor color = QColor(0, 0, 0);
    Align align = Align::Left;
    QRectF box;        // millimetres from the face's top-left corner
    int rotation = 0;  // 0, 90, 180 or 270 degrees clockwise
    int columns = 1;   // 1 to kMaxColumns
    bool shrink = false;

    bool operator==(const TextBlock& other) const = default;

    // The block with every property within its range: the size, the columns and the
    // rotation clamped or rounded to what exists, the text cut to what a file holds, the box
    // at least 1 mm each way.
    TextBlock normalized() const;
    // Whether any of the box lies on a face of this size.
    bool touches(const QSizeF& faceMm) const;
};

using TextBlocks = QList<TextBlock>;
