#pragma once

#include <QRectF>
#include <QString>

namespace platform {
class Picture;
}
struct TextBlock;
class QSizeF;

// What laying out a cover set needs of a printer, and nothing more. Every operation says
// whether it worked; the layout goes on after a failure, so one refused setting or one
// undrawable picture does not cost the rest of the job.
class PrintTarget
{
public:
    virtual ~PrintTarget() = default;

    // Orientation of the pages to come.
    virtual bool setLandscape() = 0;
    // From here on rectangles are millimetres from the top-left corner of the printable area.
    virtual bool setMillimetres() = 0;
    // One line of text at the print position, which every page starts at its top-left
    // corner; the position then moves down one line.
    virtual bool printLine(const QString& text) = 0;
    // The whole picture stretched to fill `rect`, its proportions not kept.
    virtual bool drawPicture(const platform::Picture& picture, const QRectF& rect) = 0;
    // A text block of a face `faceMm` in size, laid out by TextLayout, drawn as the face is
    // stretched to `rect` and clipped to it: real text, not a picture of it.
    virtual bool drawText(const TextBlock& block, const QSizeF& faceMm, const QRectF& rect) = 0;
    // The outline of `rect`, not filled, one device pixel wide.
    virtual bool drawFrame(const QRectF& rect) = 0;
    virtual bool endPage() = 0;
    // Ends the job; a page ended just before adds no empty page. False when the job as a
    // whole failed (the printer could not be opened or reported an error).
    virtual bool endJob() = 0;
};
