// Repainting a face that holds a 6000 x 4000 picture, at the window's size.
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
    ImageArea area(&set, 0, &page);
    area.setGeometry(9, 18, 338, 330);
    page.show();
    set.setPicture(0, platform::Picture::fromFile(path), path);

    // Rendered into an image of the area's size: what a paint on screen does.
    QImage target(area.size(), QImage::Format_ARGB32_Premultiplied);
    const auto paint = [&] { area.render(&target); };
    const double first = bench::bestOf(1, paint);
    constexpr int kRepaints = 500;
    const double many = bench::bestOf(3, [&] {
        for (int i = 0; i < kRepaints; ++i)
            paint();
    });
    const double resized = bench::bestOf(3, [&] {
        area.resize(area.width() + 1, area.height());
        target = QImage(area.size(), QImage::Format_ARGB32_Premultiplied);
        paint();
    });
    std::printf("first paint (makes the screen copy): %.1f ms\n", first);
    std::printf("repaint at the same size: %.3f ms each\n", many / kRepaints);
    std::printf("repaint after a size change: %.1f ms\n", resized);
    return 0;
}
