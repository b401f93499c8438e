#pragma once

// A print target that records what a print run asks of it, and the sheets' expected
// operations: the layout's tests and the Print command's share them.
#include "Faces.h"
#include "LangRuntime.h"
#include "Picture.h"
#include "PrintTarget.h"
#include "ScriptedUi.h"

#include <QColor>
#include <QImage>
#include <QStringList>

#include <array>
#include <functional>

namespace recording {

using platform::Picture;

inline const char* const kFaceNames[] = {"Front", "Inside", "Back", "CD"};

// Every operation a print run asks of its printer, with the busy state at that moment.
struct Recording
{
    QStringList ops;
    QList<int> busyAtOp;
    std::array<Picture, kFaceCount> pictures; // to name the picture drawn
    std::function<bool(int opIndex)> fails = [](int) { return false; };
    int targetsMade = 0;
};

class RecordingTarget final : public PrintTarget
{
public:
    RecordingTarget(Recording& recording, const ScriptedUi& ui) : m_rec(recording), m_ui(ui) {}

    bool setLandscape() override { return record(QStringLiteral("landscape")); }
    bool setMillimetres() override { return record(QStringLiteral("mm")); }
    bool printLine(const QString& text) override
    {
        for (int caption : {1318, 1316, 1192}) {
            if (text == LangString(caption))
                return record(QStringLiteral("line %1").arg(caption));
        }
        return record(QStringLiteral("line ?") + text);
    }
    bool drawPicture(const Picture& picture, const QRectF& rect) override
    {
        QString name = QStringLiteral("?");
        for (int face = 0; face < kFaceCount; ++face) {
            if (picture.sameAs(m_rec.pictures[face]))
                name = QString::fromLatin1(kFaceNames[face]);
        }
        return record(QStringLiteral("picture ") + name + QLatin1Char(' ') + rectText(rect));
    }
    bool drawText(const TextBlock& block, const QSizeF&, const QRectF& rect) override
    {
        return record(QStringLiteral("text ") + block.text + QLatin1Char(' ') + rectText(rect));
    }
    bool drawFrame(const QRectF& rect) override
    {
        return record(QStringLiteral("frame ") + rectText(rect));
    }
    bool drawCircle(const QRectF& rect) override
    {
        return record(QStringLiteral("circle ") + rectText(rect));
    }
    bool drawLine(const QPointF& from, const QPointF& to) override
    {
        return record(QStringLiteral("line %1,%2-%3,%4").arg(from.x()).arg(from.y()).arg(to.x()).arg(to.y()));
    }
    bool clipToRing(const QRectF& outer, const QRectF& hole) override
    {
        return record(QStringLiteral("ring ") + rectText(outer) + QLatin1Char(' ') + rectText(hole));
    }
    bool endClip() override { return record(QStringLiteral("unclip")); }
    bool setLabelPaper(const QSizeF& paper) override
    {
        return record(QStringLiteral("paper %1x%2").arg(paper.width()).arg(paper.height()));
    }
    QPointF printableOrigin() const override { return QPointF(5, 5); }
    bool endPage() override { return record(QStringLiteral("page")); }
    bool endJob() override { return record(QStringLiteral("job")); }

private:
    static QString rectText(const QRectF& r)
    {
        return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    }
    bool record(const QString& op)
    {
        m_rec.ops << op;
        m_rec.busyAtOp << m_ui.busyDepth;
        return !m_rec.fails(int(m_rec.ops.size()) - 1);
    }

    Recording& m_rec;
    const ScriptedUi& m_ui;
};

inline const QString kSheet1Start = QStringLiteral("line 1318");
inline const QString kInsidePicture = QStringLiteral("picture Inside 20,20 120x120");
inline const QString kInsideFrame = QStringLiteral("frame 20,20 120x120");
inline const QString kFrontPicture = QStringLiteral("picture Front 140,20 120x120");
inline const QString kFrontFrame = QStringLiteral("frame 140,20 120x120");
inline const QString kBackSheet =
    QStringLiteral("line 1316|picture Back 20,20 150x118|frame 20,20 150x118|page");
inline const QString kCdSheet =
    QStringLiteral("line 1192|picture CD 20,20 150x118|frame 20,20 150x118|page");

inline Picture solid(const QColor& color, const QSize& size = QSize(40, 30))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return Picture::fromImage(image);
}

inline std::array<Picture, kFaceCount> somePictures(const QString& which)
{
    const QColor colors[] = {Qt::yellow, Qt::cyan, Qt::magenta, Qt::green};
    std::array<Picture, kFaceCount> out;
    for (int face = 0; face < kFaceCount; ++face) {
        if (which.contains(QLatin1Char("FIBC"[face])))
            out[face] = solid(colors[face]);
    }
    return out;
}

inline std::array<bool, kFaceCount> flags(const QString& which)
{
    std::array<bool, kFaceCount> out{};
    for (int face = 0; face < kFaceCount; ++face)
        out[face] = which.contains(QLatin1Char("FIBC"[face]));
    return out;
}

} // namespace recording

// The sheets' captions as the program prints them, in the language in use.
inline PrintLayout::Captions captions()
{
    return PrintLayout::captionsFrom(LangString);
}
