#include "PdfSheets.h"

#include "AppInfo.h"
#include "CalibratedTarget.h"
#include "LazyPictureTarget.h"
#include "LeanPictureTarget.h"
#include "PageTarget.h"
#include "PrintLayout.h"

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
    bool printed = false;
    int failedFace = -1;
    {
        QPdfWriter writer(&file);
        writer.setCreator(platform::productName());
        writer.setTitle(settings.title);
        writer.setPageLayout(settings.page);
        // The writer's resolution is the one pictures are reduced to before they go in.
        writer.setResolution(settings.dpi);
        PageTarget page(&writer);
        LeanPictureTarget lean(page, settings.dpi);
        LazyPictureTarget pictures(lean, settings.standIns, settings.files);
        CalibratedTarget calibrated(pictures, settings.offset, settings.scale);
        QElapsedTimer never;
        ProgressTarget progress(calibrated, layout.sheetCount(),
                                settings.clock ? *settings.clock : never, settings.progress);
        printed = layout.print(progress);
        failedFace = pictures.failedFace();
    }
    if (failedFace >= 0) {
        file.cancelWriting();
        out.failedFace = failedFace;
        out.failedPath = settings.files[failedFace];
        return out;
    }
    if (!printed || file.error() != QFileDevice::NoError) {
        out.reason = file.error() != QFileDevice::NoError ? file.errorString() : QString();
        file.cancelWriting();
        return out;
    }
    if (!file.commit()) {
        out.reason = file.errorString();
        return out;
    }
    out.ok = true;
    out.failedPath.clear();
    out.written.append(path);
    return out;
}
