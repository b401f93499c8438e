#include "PngSheets.h"

#include "CalibratedTarget.h"
#include "LazyPictureTarget.h"
#include "LeanPictureTarget.h"
#include "PageTarget.h"
#include "PrintLayout.h"
#include "SheetRecorder.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QSaveFile>

namespace {

constexpr double kInchesPerMetre = 1 / 0.0254;

// One sheet on a white page at the run's resolution: the layout draws from the printable
// area's corner, so it draws on a view of the page that starts there.
QByteArray renderSheet(const SheetRecorder& sheets, int sheet, const SheetSettings& settings,
                       int* failedFace)
{
    const QRect full = settings.page.fullRectPixels(settings.dpi);
    const QRect printable = settings.page.paintRectPixels(settings.dpi);
    QImage page(full.size(), QImage::Format_RGB32);
    if (page.isNull())
        return QByteArray();
    page.fill(Qt::white);
    const int dotsPerMetre = qRound(settings.dpi * kInchesPerMetre);
    page.setDotsPerMeterX(dotsPerMetre);
    page.setDotsPerMeterY(dotsPerMetre);

    const QRect area = printable.intersected(page.rect());
    QImage view(page.scanLine(area.top()) + area.left() * 4, area.width(), area.height(),
                page.bytesPerLine(), QImage::Format_RGB32);
    view.setDotsPerMeterX(dotsPerMetre);
    view.setDotsPerMeterY(dotsPerMetre);
    {
        PageTarget target(&view);
        LeanPictureTarget lean(target, settings.dpi);
        LazyPictureTarget pictures(lean, settings.standIns, settings.files);
        CalibratedTarget calibrated(pictures, settings.offset, settings.scale);
        const bool drawn = sheets.replay(sheet, calibrated);
        *failedFace = pictures.failedFace();
        if (!drawn || *failedFace >= 0)
            return QByteArray();
    }

    QByteArray bytes;
    QBuffer buffer(&bytes);
    QImageWriter writer(&buffer, "png");
    writer.setText(QStringLiteral("Title"), settings.title);
    if (!writer.write(page))
        return QByteArray();
    return bytes;
}

} // namespace

QString PngSheets::fileName(int sheet)
{
    return QStringLiteral("sheet-%1.png").arg(sheet);
}

QStringList PngSheets::paths(const QString& folder, int sheets)
{
    QStringList out;
    for (int sheet = 1; sheet <= sheets; ++sheet)
        out.append(QDir(folder).filePath(fileName(sheet)));
    return out;
}

QList<QByteArray> PngSheets::render(const PrintLayout& layout, const SheetSettings& settings,
                                    int* failedFace)
{
    SheetRecorder sheets;
    layout.print(sheets);
    QList<QByteArray> out;
    const QElapsedTimer never;
    for (int sheet = 0; sheet < sheets.sheetCount(); ++sheet) {
        ProgressTarget::step(settings.clock ? *settings.clock : never, settings.progress,
                             QStringLiteral("[%1/%2] %3")
                                 .arg(sheet + 1)
                                 .arg(sheets.sheetCount())
                                 .arg(sheets.caption(sheet)));
        out.append(renderSheet(sheets, sheet, settings, failedFace));
        if (*failedFace >= 0)
            break;
    }
    return out;
}

SheetOutput PngSheets::write(const PrintLayout& layout, const SheetSettings& settings,
                             const QString& folder)
{
    SheetOutput out;
    const QList<QByteArray> sheets = render(layout, settings, &out.failedFace);
    if (out.failedFace >= 0) {
        out.failedPath = settings.files[out.failedFace];
        return out;
    }
    const QStringList targets = paths(folder, int(sheets.size()));
    const auto undo = [&out] {
        for (const QString& written : std::as_const(out.written))
            QFile::remove(written);
        out.written.clear();
    };
    for (qsizetype i = 0; i < sheets.size(); ++i) {
        if (sheets[i].isEmpty()) {
            out.failedPath = targets[i];
            undo();
            return out;
        }
    }
    for (qsizetype i = 0; i < sheets.size(); ++i) {
        QSaveFile file(targets[i]);
        if (!file.open(QIODevice::WriteOnly) || file.write(sheets[i]) != sheets[i].size() ||
            !file.commit()) {
            out.failedPath = targets[i];
            out.reason = file.errorString();
            undo();
            return out;
        }
        out.written.append(targets[i]);
    }
    out.ok = true;
    return out;
}
