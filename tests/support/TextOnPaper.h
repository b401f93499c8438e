#pragma once

// Where printed text landed on a PDF's pages (pdftotext -bbox, from poppler-utils), and where
// the text layout says each word goes, for tests that hold one against the other.

#include "TextLayout.h"

#include <QFontMetricsF>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTextDocumentFragment>

namespace paper_text {

constexpr double kPointsPerMm = 72.0 / 25.4;

struct Word
{
    QString text;
    int page; // from 1
    QRectF box; // millimetres from the page's top-left corner
};

inline bool havePdfToText()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

inline QList<Word> printedWords(const QString& pdf)
{
    QProcess run;
    run.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")),
              {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    run.waitForFinished(60000);
    const QString html = QString::fromUtf8(run.readAllStandardOutput());
    static const QRegularExpression tag(
        QStringLiteral("<page |<word xMin=\"([-0-9.]+)\" yMin=\"([-0-9.]+)\" xMax=\"([-0-9.]+)\" "
                       "yMax=\"([-0-9.]+)\">([^<]*)</word>"));
    QList<Word> words;
    int page = 0;
    for (auto it = tag.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(0).startsWith(QLatin1String("<page"))) {
            ++page;
            continue;
        }
        const QRectF points(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                            QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
        words.append({QTextDocumentFragment::fromHtml(m.captured(5)).toPlainText(), page,
                      QRectF(points.topLeft() / kPointsPerMm, points.size() / kPointsPerMm)});
    }
    return words;
}

// The box a word of a laid-out block takes on a page whose face lies at `faceOnPage` (mm):
// along its baseline from its start to its end, across from the font's ascent to its descent.
inline QRectF expectedBox(const TextLayout& layout, const TextLayout::Word& word,
                          const QPointF& faceOnPage)
{
    const QFontMetricsF metrics(TextLayout::layoutFont(layout.block()));
    const double ascent = metrics.ascent() * layout.mmPerUnit();
    const double descent = metrics.descent() * layout.mmPerUnit();
    const QLineF along(word.start, word.end);
    const QPointF d = (word.end - word.start) / qMax(along.length(), 1e-9);
    const QPointF up(d.y(), -d.x()); // towards the tops of the letters
    QPolygonF corners;
    corners << word.start + up * ascent << word.end + up * ascent << word.end - up * descent
            << word.start - up * descent;
    return corners.boundingRect().translated(faceOnPage);
}

// The largest distance, in millimetres, between a printed word and where the layout puts it,
// over every word of every block; -1 when a word of the layout is missing from the page.
struct Placed
{
    int page;
    QPointF faceOnPage;
    TextBlock block;
};
inline double worstDistance(const QList<Word>& printed, const QList<Placed>& blocks,
                            QString* worstWord = nullptr)
{
    double worst = 0;
    QList<Word> left = printed;
    for (const Placed& placed : blocks) {
        const TextLayout layout(placed.block);
        for (const TextLayout::Word& word : layout.words()) {
            const QRectF expected = expectedBox(layout, word, placed.faceOnPage);
            qsizetype best = -1;
            double bestDistance = 1e9;
            for (qsizetype i = 0; i < left.size(); ++i) {
                if (left[i].page != placed.page || left[i].text != word.text)
                    continue;
                const QRectF& got = left[i].box;
                const double d = qMax(qMax(qAbs(got.left() - expected.left()),
                                           qAbs(got.right() - expected.right())),
                                      qMax(qAbs(got.top() - expected.top()),
                                           qAbs(got.bottom() - expected.bottom())));
                if (d < bestDistance) {
                    bestDistance = d;
                    best = i;
                }
            }
            if (best < 0) {
                if (worstWord)
                    *worstWord = word.text + QStringLiteral(" (missing)");
                return -1;
            }
            left.removeAt(best);
            if (bestDistance > worst) {
                worst = bestDistance;
                if (worstWord)
                    *worstWord = word.text;
            }
        }
    }
    return worst;
}

// A cover's usual text: a title on the Front, a track list of 20 lines in two columns on the
// Back, and the title on both spines, each way round. By face index.
inline QList<std::pair<int, TextBlock>> coverText()
{
    TextBlock title;
    title.text = QStringLiteral("Night Harbour\nThe Lanterns");
    title.size = 24;
    title.bold = true;
    title.align = TextBlock::Align::Center;
    title.box = QRectF(10, 12, 100, 30);
    TextBlock tracks;
    for (int i = 1; i <= 20; ++i) {
        tracks.text += QStringLiteral("%1 Song number %2\t%3:%4\n")
                           .arg(i, 2, 10, QLatin1Char('0'))
                           .arg(i)
                           .arg(2 + i % 4)
                           .arg(i * 7 % 60, 2, 10, QLatin1Char('0'));
    }
    tracks.text.chop(1);
    tracks.size = 8.5;
    tracks.columns = 2;
    tracks.box = QRectF(12, 10, 126, 90);
    TextBlock left;
    left.text = QStringLiteral("The Lanterns - Night Harbour");
    left.size = 8;
    left.align = TextBlock::Align::Center;
    left.rotation = 270;
    left.box = QRectF(0, 0, TextBlock::kSpineWidthMm, 118);
    TextBlock right = left;
    right.rotation = 90;
    right.box.moveLeft(150 - TextBlock::kSpineWidthMm);
    return {{0, title}, {2, tracks}, {2, left}, {2, right}};
}

// Whether every font of a PDF is embedded (pdffonts).
inline bool fontsEmbedded(const QString& pdf)
{
    QProcess run;
    run.start(QStandardPaths::findExecutable(QStringLiteral("pdffonts")), {pdf});
    run.waitForFinished(60000);
    const QStringList lines = QString::fromUtf8(run.readAllStandardOutput()).split(QLatin1Char('\n'));
    int fonts = 0;
    for (const QString& line : lines.mid(2)) {
        const QStringList fields = line.simplified().split(QLatin1Char(' '));
        if (fields.size() < 6)
            continue;
        ++fonts;
        // name type [type...] encoding emb sub uni object ID: "emb" is the fifth from the end.
        if (fields[fields.size() - 5] != QLatin1String("yes"))
            return false;
    }
    return fonts > 0;
}

} // namespace paper_text
