#pragma once

#include "Picture.h"
#include "PrintTarget.h"
#include "TextBlock.h"

#include <QList>
#include <QRectF>
#include <QString>

// Keeps a print job's operations sheet by sheet, to be played again onto one target per
// sheet: a picture file holds one sheet, while the layout prints a job of several pages.
// Pictures are kept as the shared pictures they are, not decoded.
class SheetRecorder final : public PrintTarget
{
public:
    int sheetCount() const { return int(m_sheets.size()); }
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
            Frame
        };
        Kind kind;
        QString text;
        platform::Picture picture;
        QRectF rect;
        TextBlock block = {};
        QSizeF faceMm = {};
    };
    using Sheet = QList<Operation>;

    Sheet& current();

    QList<Sheet> m_sheets;
    bool m_sheetOpen = false;
};
