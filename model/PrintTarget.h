#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

namespace platform {
class Picture;
}
struct TextBlock;

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
    // The outline of the circle (on a stretched sheet, the ellipse) that fills `rect`, like a
    // frame: the cut line of a round label.
    virtual bool drawCircle(const QRectF& rect) = 0;
    // A straight line like a frame's, from `from` to `to`: a fold mark.
    virtual bool drawLine(const QPointF& from, const QPointF& to) = 0;
    // Until endClip(), pictures and text show only within the ring between the circle that
    // fills `outer` and the one that fills `hole` (none when `hole` is empty).
    virtual bool clipToRing(const QRectF& outer, const QRectF& hole) = 0;
    virtual bool endClip() = 0;
    // The pages to come are portrait, on paper `paperMm` in size: a label sheet, whose labels
    // lie where the paper has them, not where the printable area starts.
    virtual bool setLabelPaper(const QSizeF& paperMm) = 0;
    // Where the printable area's corner lies on the paper of the pages to come, in
    // millimetres from the paper's top-left corner.
    virtual QPointF printableOrigin() const = 0;
    virtual bool endPage() = 0;
    // Ends the job; a page ended just before adds no empty page. False when the job as a
    // whole failed (the printer could not be opened or reported an error).
    virtual bool endJob() = 0;
};
