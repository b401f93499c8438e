// A face with 40 lines of text over a photo: its repaint beside the same face without text,
// and a character typed into the block until the face is painted again, against one frame.
#include "BenchSupport.h"

#include "CoverSet.h"
#include "ImageArea.h"
#include "Picture.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QWidget>

#include <cstdio>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.jpg"));
    bench::writeJpeg(bench::photoLike(6000, 4000, 7), path);

    QWidget page;
    page.resize(460, 400);
    CoverSet set;
    constexpr int kBack = 2;
    set.setPosition(kBack);
    ImageArea area(&set, kBack, &page);
    area.setGeometry(9, 18, 338, 330);
    page.show();
    set.setPicture(kBack, platform::Picture::fromFile(path), path);

    QImage target(area.size(), QImage::Format_ARGB32_Premultiplied);
    const auto paint = [&] { area.render(&target); };
    constexpr int kRepaints = 200;
    const auto repaint = [&] {
        return bench::bestOf(3, [&] {
                   for (int i = 0; i < kRepaints; ++i)
                       paint();
               }) /
               kRepaints;
    };
    paint();
    const double bare = repaint();

    TextBlock list;
    for (int i = 1; i <= 40; ++i)
        list.text += QStringLiteral("%1. A song title of some length\t%2:%3\n").arg(i).arg(3).arg(i + 10);
    list.text.chop(1);
    list.size = 7;
    list.columns = 2;
    list.box = QRectF(10, 8, 130, 100);
    set.addText(kBack, list);
    paint();
    const double withText = repaint();

    // Typing: each character is one change of the block, laid out and painted.
    constexpr int kTyped = 100;
    QString typed = set.face(kBack).texts().constFirst().text;
    const double typing = bench::bestOf(3, [&] {
        for (int i = 0; i < kTyped; ++i) {
            TextBlock block = set.face(kBack).texts().constFirst();
            typed += QLatin1Char(i % 7 ? 'a' + i % 26 : ' ');
            block.text = typed;
            set.changeText(kBack, 0, block, true);
            QCoreApplication::processEvents();
            paint();
        }
    }) / kTyped;

    std::printf("repaint without text: %.3f ms\n", bare);
    std::printf("repaint with 40 lines of text: %.3f ms (%.1fx; target <= 8 ms)\n", withText,
                withText / bare);
    std::printf("a typed character until painted: %.3f ms (target <= 16 ms, one frame)\n", typing);
    return 0;
}
