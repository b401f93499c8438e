#pragma once

// Measuring printed sheets on real paper: a PDF rendered with poppler's pdftoppm, and the
// frame lines found on it in millimetres from the paper's corner.
#include <QImage>
#include <QPageLayout>
#include <QPointF>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>

#include <algorithm>
#include <cmath>

namespace paper {

inline bool havePoppler()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

// The page count pdfinfo reads, or -1.
inline int pageCount(const QString& pdf)
{
    QProcess info;
    info.start(QStandardPaths::findExecutable(QStringLiteral("pdfinfo")), {pdf});
    if (!info.waitForFinished(60000) || info.exitCode() != 0)
        return -1;
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)\\n"))
            .match(QString::fromUtf8(info.readAllStandardOutput()));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// One page in grey at `dpi`; a null image when pdftoppm fails.
inline QImage render(const QString& pdf, int page, int dpi, const QString& prefix)
{
    QProcess render;
    render.start(QStandardPaths::findExecutable(QStringLiteral("pdftoppm")),
                 {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-gray"),
                  QStringLiteral("-png"), QStringLiteral("-singlefile"), QStringLiteral("-f"),
                  QString::number(page), QStringLiteral("-l"), QString::number(page), pdf, prefix});
    if (!render.waitForFinished(120000) || render.exitCode() != 0)
        return QImage();
    return QImage(prefix + QStringLiteral(".png"));
}

// Part of a page in grey at `dpi`: the area `mm` (millimetres from the paper's corner), whose
// top-left pixel lies at `*cornerMm` on the paper; a null image when pdftoppm fails.
inline QImage renderArea(const QString& pdf, int page, int dpi, const QRectF& mm,
                         const QString& prefix, QPointF* cornerMm)
{
    const QRect px(int(mm.left() * dpi / 25.4), int(mm.top() * dpi / 25.4),
                   int(mm.width() * dpi / 25.4) + 1, int(mm.height() * dpi / 25.4) + 1);
    *cornerMm = QPointF(px.left(), px.top()) * 25.4 / dpi;
    QProcess render;
    render.start(QStandardPaths::findExecutable(QStringLiteral("pdftoppm")),
                 {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-gray"),
                  QStringLiteral("-png"), QStringLiteral("-singlefile"), QStringLiteral("-f"),
                  QString::number(page), QStringLiteral("-l"), QString::number(page),
                  QStringLiteral("-x"), QString::number(px.left()), QStringLiteral("-y"),
                  QString::number(px.top()), QStringLiteral("-W"), QString::number(px.width()),
                  QStringLiteral("-H"), QString::number(px.height()), pdf, prefix});
    if (!render.waitForFinished(120000) || render.exitCode() != 0)
        return QImage();
    return QImage(prefix + QStringLiteral(".png"));
}

// Where Qt's PDF output puts the printable area's corner, in millimetres from the paper's:
// on whole points, not exactly at the margins asked for.
inline QPointF printableCorner(const QPageLayout& landscape)
{
    return QPointF(landscape.paintRectPoints().topLeft()) * (25.4 / 72);
}

// The line crossing a scan near `expected` (pixels): the centre of its dark run, or -1000.
inline double lineAt(const QImage& sheet, bool vertical, double expected, int across)
{
    double sum = 0;
    int count = 0;
    for (int at = int(expected) - 10; at <= int(expected) + 10; ++at) {
        const QPoint p = vertical ? QPoint(at, across) : QPoint(across, at);
        if (sheet.rect().contains(p) && qGray(sheet.pixel(p)) < 128) {
            sum += at + 0.5;
            ++count;
        }
    }
    return count ? sum / count : -1000.0;
}

// A frame's four edges as the paper shows them, in millimetres from the paper's corner.
struct Edges
{
    double left, right, top, bottom;
};

// Measures the frame expected at `onPaper` (millimetres from the paper's corner), each edge
// `along` millimetres from one of its corners (negative: from the far corner).
inline Edges measureFrame(const QImage& sheet, double dpi, const QRectF& onPaper, double along)
{
    const auto px = [dpi](double mm) { return mm * dpi / 25.4; };
    const auto mm = [dpi](double pixels) { return pixels * 25.4 / dpi; };
    const double y = along > 0 ? onPaper.top() + along : onPaper.bottom() + along;
    const double x = along > 0 ? onPaper.left() + along : onPaper.right() + along;
    return {mm(lineAt(sheet, true, px(onPaper.left()), int(px(y)))),
            mm(lineAt(sheet, true, px(onPaper.right()), int(px(y)))),
            mm(lineAt(sheet, false, px(onPaper.top()), int(px(x)))),
            mm(lineAt(sheet, false, px(onPaper.bottom()), int(px(x))))};
}

// How far the worst edge lies from where it should.
inline double worstDeviation(const Edges& edges, const QRectF& onPaper)
{
    return std::max({std::abs(edges.left - onPaper.left()), std::abs(edges.right - onPaper.right()),
                     std::abs(edges.top - onPaper.top()),
                     std::abs(edges.bottom - onPaper.bottom())});
}

inline QString describe(const Edges& edges, const QRectF& onPaper)
{
    return QStringLiteral("measured left %1 right %2 top %3 bottom %4, expected %5 %6 %7 %8 mm")
        .arg(edges.left, 0, 'f', 3)
        .arg(edges.right, 0, 'f', 3)
        .arg(edges.top, 0, 'f', 3)
        .arg(edges.bottom, 0, 'f', 3)
        .arg(onPaper.left(), 0, 'f', 3)
        .arg(onPaper.right(), 0, 'f', 3)
        .arg(onPaper.top(), 0, 'f', 3)
        .arg(onPaper.bottom(), 0, 'f', 3);
}

// A round label as the paper shows it, against where it belongs (`outer` and `hole` are the
// rectangles its two circles fill, in millimetres on the paper; on a stretched sheet they are
// ellipses). The image shows the paper from `cornerMm`. Returns the worst distance of a
// circle's line from where it belongs, crossed along the row and the column through the
// centre; `clipFaults` counts the points, 0.05 mm either side of each circle all round, where
// the picture shows outside its ring or paper shows within it.
inline double ringDeviation(const QImage& sheet, double dpi, const QPointF& cornerMm,
                            const QRectF& outer, const QRectF& hole, int* clipFaults,
                            QString* detail)
{
    const auto px = [&](const QPointF& mm) { return (mm - cornerMm) * dpi / 25.4; };
    const auto mm = [dpi](double pixels) { return pixels * 25.4 / dpi; };
    const QPointF c = px(outer.center());
    double worst = 0;
    for (const QRectF& circle : {outer, hole}) {
        const QPointF tl = px(circle.topLeft());
        const QPointF br = px(circle.bottomRight());
        const double found[] = {lineAt(sheet, true, tl.x(), int(c.y())) - tl.x(),
                                lineAt(sheet, true, br.x(), int(c.y())) - br.x(),
                                lineAt(sheet, false, tl.y(), int(c.x())) - tl.y(),
                                lineAt(sheet, false, br.y(), int(c.x())) - br.y()};
        for (double off : found) {
            worst = std::max(worst, std::abs(mm(off)));
            *detail += QStringLiteral(" %1").arg(mm(off), 0, 'f', 3);
        }
    }
    *clipFaults = 0;
    const double d = 0.05;
    for (int step = 0; step < 24; ++step) {
        const double a = (step * 15 + 7) * M_PI / 180;
        const auto at = [&](const QRectF& circle, double byMm) {
            const QPointF p(circle.center().x() + (circle.width() / 2 + byMm) * std::cos(a),
                            circle.center().y() + (circle.height() / 2 + byMm) * std::sin(a));
            const QPointF q = px(p);
            return qGray(sheet.pixel(int(q.x()), int(q.y())));
        };
        const auto picture = [](int grey) { return grey > 150 && grey < 245; };
        const auto paperShows = [](int grey) { return grey >= 250; };
        if (!picture(at(outer, -d)) || !paperShows(at(outer, d)) || !picture(at(hole, d)) ||
            !paperShows(at(hole, -d)))
            ++*clipFaults;
    }
    return worst;
}

} // namespace paper
