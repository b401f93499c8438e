// Opening a set of four 24-megapixel photos until every face is painted, against decoding the
// same four files at full size; and the memory the open set holds.
#include "BenchSupport.h"

#include "ImageArea.h"
#include "LangRuntime.h"
#include "ProgramFolder.h"
#include "Settings.h"
#include "clsCover.h"
#include "frmMenu.h"
#include "mdiORVLA.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    lang::LangRuntime::instance().setDatabase(dir.filePath(QStringLiteral("Spoken.DBF")));
    platform::setSettingsFileForTests(dir.filePath(QStringLiteral("settings.ini")));
    QFile::copy(QStringLiteral(ORVELLA_SOURCE_DIR "/resources/Spoken.DBF"),
                dir.filePath(QStringLiteral("Spoken.DBF")));
    lang::LangRuntime::instance().setCurrentLanguage(2);

    std::printf("Making four 6000 x 4000 JPEG files...\n");
    QStringList files;
    qint64 fileBytes = 0;
    const char* names[] = {"front.jpg", "inside.jpg", "back.jpg", "cd.jpg"};
    for (int i = 0; i < 4; ++i) {
        const QString path = dir.filePath(QString::fromLatin1(names[i]));
        bench::writeJpeg(bench::photoLike(6000, 4000, quint32(i + 1)), path);
        files << path;
        fileBytes += QFileInfo(path).size();
    }
    const QString set = dir.filePath(QStringLiteral("set.ovc"));
    {
        QFile f(set);
        f.open(QIODevice::WriteOnly);
        QTextStream out(&f);
        out << "[Files]\r\nImgFront=" << files[0] << "\r\nImgInside=" << files[1]
            << "\r\nImgBack=" << files[2] << "\r\nImgCd=" << files[3] << "\r\n";
    }

    mdiORVLA window;
    window.show();
    QApplication::processEvents();

    // Open the set and paint all four faces; the first run also measures memory.
    double rssBefore = bench::statusMegabytes("VmRSS:");
    double rssOpen = 0;
    auto openAndPaint = [&] {
        const std::shared_ptr<clsCover> cover = clsCover::create(window.mdiArea());
        cover->setFileCover(set);
        cover->LoadCover();
        frmMenu* doc = cover->frmCover();
        for (int face = 0; face < 4; ++face)
            doc->imageArea(face)->grab();
        if (rssOpen == 0)
            rssOpen = bench::statusMegabytes("VmRSS:");
        window.mdiArea()->closeAllSubWindows();
        QApplication::processEvents();
    };
    const double open = bench::bestOf(5, openAndPaint);

    const double decode = bench::bestOf(5, [&] {
        for (const QString& file : files) {
            QImageReader reader(file);
            const QImage image = reader.read();
            if (image.isNull())
                std::printf("decode failed: %s\n", qPrintable(file));
        }
    });

    std::printf("four JPEG files: %.1f MB\n", fileBytes / 1e6);
    std::printf("full decode with QImageReader: %.0f ms\n", decode);
    std::printf("open the set until four faces are painted: %.0f ms\n", open);
    std::printf("ratio open / full decode: %.2f (target <= 0.30)\n", open / decode);
    std::printf("memory held by the open set: %.0f MB (target <= 150)\n", rssOpen - rssBefore);
    return 0;
}
