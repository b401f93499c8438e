#pragma once

#include "TextBlock.h"

#include <QFont>
#include <QList>
#include <QPointF>
#include <QTransform>

#include <memory>
#include <vector>

class QPainter;
class QTextLayout;

// A text block laid out, once for every output: the face on screen, the preview, the printer,
// the PDF and the batch tool all draw this result, so the lines break and sit alike on each.
//
// Lines wrap at the column's width (a word longer than it is broken); what follows a TAB is
// put flush right in its column, on the same line when there is room; columns fill top to
// bottom, then left to right. A block that shrinks to fit is laid out 0.5 pt smaller at a
// time, down to 4 pt, until it fits. Whatever still does not fit is cut at the box. A turned
// block is laid out in its turned frame (90 degrees: its width is the box's height).
//
// Text is measured with unhinted outlines in a font of one reference size whatever the block's
// size, and the result scaled: advances then grow exactly with the size, the layout depends on
// no device's resolution, and shrinking to fit does not make a font of every size it tries.
class TextLayout
{
public:
    explicit TextLayout(const TextBlock& block);
    ~TextLayout();
    TextLayout(TextLayout&& other) noexcept;
    TextLayout& operator=(TextLayout&& other) noexcept;

    const TextBlock& block() const { return m_block; }
    // Whether all of the text lies within the box.
    bool fits() const { return m_fits; }
    // The size the text was laid out at: the block's own, or less when it shrank to fit.
    double pointSize() const { return m_pointSize; }
    // The block's frame as its text runs: the box's size, turned with the block.
    QSizeF frameSize() const;
    // Millimetres of the block's frame (its top-left corner as the text reads) to millimetres
    // of the face.
    QTransform frameToFace() const;

    // A word as laid out: its text, and where its baseline starts and ends, in millimetres of
    // the face. Words cut off at the box are not among them.
    struct Word
    {
        QString text;
        QPointF start;
        QPointF end;
    };
    QList<Word> words() const;

    // Draws the text, clipped to the box, on a painter whose units are millimetres of the face.
    void draw(QPainter& painter) const;

    // The font a block is laid out in, at the reference size, and how many millimetres one of
    // its units comes to at the size the block was laid out at.
    static QFont layoutFont(const TextBlock& block);
    double mmPerUnit() const { return m_mmPerUnit; }
    // How many times the text was laid out to find its size.
    int passes() const { return m_passes; }
    // The reference size, in the font's pixels.
    static constexpr int kReferencePixels = 1000;

private:
    struct Line; // one placed line of one paragraph's layout
    bool layOut(double pointSize);

    TextBlock m_block;
    double m_pointSize = 0;
    double m_mmPerUnit = 1;
    int m_passes = 0;
    int m_lineCount = 0; // lines the last layout made
    int m_lineRoom = 0;  // and how many the box holds at that size
    QTransform unitsToFace() const;
    bool m_fits = true;
    std::vector<std::unique_ptr<QTextLayout>> m_layouts;
    std::vector<Line> m_lines;
};
