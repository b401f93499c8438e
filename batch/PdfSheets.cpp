#include "PdfSheets.h"

#include "AppInfo.h"
#include "CalibratedTarget.h"
#include "DeferredJpegTarget.h"
#include "LeanPictureTarget.h"
#include "PageTarget.h"
#include "PdfPictureSwap.h"
#include "PreparedJpegs.h"
#include "PrintLayout.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QSaveFile>

SheetOutput PdfSheets::write(const PrintLayout& layout, const SheetSettings& settings,
                             const QString& path)
{
    SheetOutput out;
    out.failedPath = path;
    // The file appears under its name only once every page is in it.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        out.reason = file.errorString();
        return out;
    }
    // The pages are laid out with stand-ins while the photos are prepared beside them; the
    // file is small until the photos go in.
    PreparedJpegs photos;
    QByteArray pages;
    bool printed = false;
    int failedFace = -1;
    {
        QBuffer buffer(&pages);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setCreator(platform::productName());
        writer.setTitle(settings.title);
        writer.setPageLayout(settings.page);
        // The writer's resolution is the one pictures are reduced to before they go in.
        writer.setResolution(settings.dpi);
        PageTarget page(&writer);
        LeanPictureTarget lean(page, settings.dpi);
        DeferredJpegTarget pictures(lean, settings.standIns, settings.files, settings.dpi,
                                    photos);
        CalibratedTarget calibrated(pictures, settings.offset, settings.scale);
        QElapsedTimer never;
        ProgressTarget progress(calibrated, layout.sheetCount(),
                                settings.clock ? *settings.clock : never, settings.progress);
        printed = layout.print(progress);
        failedFace = pictures.failedFace();
    }
    const std::vector<PreparedJpegs::Prepared>& prepared = photos.results();
    for (const PreparedJpegs::Prepared& photo : prepared) {
        if (photo.jpeg.isEmpty() && failedFace < 0)
            failedFace = photo.face;
    }
    if (failedFace >= 0) {
        file.cancelWriting();
        out.failedFace = failedFace;
        out.failedPath = settings.files[failedFace];
        return out;
    }
    if (!printed) {
        file.cancelWriting();
        return out;
    }
    QString swapError;
    const QByteArray pdf = prepared.empty() ? pages : PdfPictureSwap::apply(pages, prepared, &swapError);
    if (pdf.isEmpty()) {
        out.reason = swapError;
        file.cancelWriting();
        return out;
    }
    if (file.write(pdf) != pdf.size() || !file.commit()) {
        out.reason = file.errorString();
        file.cancelWriting();
        return out;
    }
    out.ok = true;
    out.failedPath.clear();
    out.written.append(path);
    return out;
}
