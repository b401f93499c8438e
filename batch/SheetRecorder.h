#pragma once

#include "Picture.h"
#include "PrintTarget.h"
#include "TextBlock.h"

#include <QList>
#include <QPageLayout>
#include <QRectF>
#include <QString>

// Keeps a print job's operations sheet by sheet, to be played again onto one target per
// sheet: a picture file holds one sheet, while the layout prints a job of several pages.
// Pictures are kept as the shared pictures they are, not decoded.
class SheetRecorder final : public PrintTarget
{
public:
    // `page` is the run's page, on which the sheets are played; a label sheet's page is
    // portrait and of the label sheet's paper, with the same margins.
    explicit SheetRecorder(const QPageLayout& page = QPageLayout(), int dpi = 600);

    int sheetCount() const { return int(m_sheets.size()); }
    // The page a sheet is played on.
    QPageLayout page(int sheet) const;
    // The sheet's caption, the first line printed on it.
    QString caption(int sheet) const;
    // Plays one sheet onto `target`: the unit, then the sheet's operations, then the job end.
    // The result is the job end's.
    bool replay(int sheet, PrintTarget& target) const;

    bool setLandscape() override { return true; }
    bool setMillimetres() override { return true; }
    bool printLine(const QString& text) override;
    bool drawPicture(const platform::Picture& picture, const QRectF& rect) override;
    bool drawText(const TextBlock& block, const QSizeF& faceMm, const QRectF& rect) override;
    bool drawFrame(const QRectF& rect) override;
    bool drawCircle(const QRectF& rect) override;
    bool drawLine(const QPointF& from, const QPointF& to) override;
    bool clipToRing(const QRectF& outer, const QRectF& hole) override;
    bool endClip() override;
    bool setLabelPaper(const QSizeF& paperMm) override;
    QPointF printableOrigin() const override;
    bool endPage() override;
    bool endJob() override;

private:
    struct Operation
    {
        enum class Kind
        {
            Line,
            Picture,
            Text,
            Frame,
            Circle,
            Stroke,
            Ring,
            Unclip
        };
        Kind kind;
        QString text;
        platform::Picture picture;
        QRectF rect;
        TextBlock block = {};
        QSizeF faceMm = {};
        QRectF other = {}; // a line's end, a ring's hole
    };
    struct Sheet
    {
        QList<Operation> operations;
        QPageLayout page;
    };

    Sheet& current();

    QList<Sheet> m_sheets;
    bool m_sheetOpen = false;
    QPageLayout m_page;     // the run's
    QPageLayout m_nextPage; // the page of the sheets to come
    int m_dpi;
};
