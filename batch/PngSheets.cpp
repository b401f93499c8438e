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
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

constexpr double kInchesPerMetre = 1 / 0.0254;

// One sheet on a white page at the run's resolution: the layout draws from the printable
// area's corner, so it draws on a view of the page that starts there.
QByteArray renderSheet(const SheetRecorder& sheets, int sheet, const SheetSettings& settings,
                       int* failedFace)
{
    const QPageLayout layout = sheets.page(sheet);
    const QRect full = layout.fullRectPixels(settings.dpi);
    const QRect printable = layout.paintRectPixels(settings.dpi);
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
    SheetRecorder sheets(settings.page, settings.dpi);
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
    for (qsizetype i = 0; i < sheets.size(); ++i) {
        if (sheets[i].isEmpty()) {
            out.failedPath = targets[i];
            return out;
        }
    }
    if (replaceTogether(targets, sheets, &out))
        out.written = targets;
    out.ok = out.failedPath.isEmpty();
    return out;
}

// Every sheet goes to a file of its own beside its target first; only when all are written
// do they take their names, and should one of those renames fail, the earlier ones are put
// back: an older run's sheets stay as they were unless the whole new set replaces them.
bool PngSheets::replaceTogether(const QStringList& targets, const QList<QByteArray>& contents,
                                SheetOutput* out)
{
    std::vector<std::unique_ptr<QTemporaryFile>> written;
    for (qsizetype i = 0; i < targets.size(); ++i) {
        const QFileInfo target(targets[i]);
        auto file = std::make_unique<QTemporaryFile>(
            target.dir().filePath(QLatin1Char('.') + target.fileName() + QLatin1String(".XXXXXX")));
        const bool ok = (!target.exists() || target.isFile()) && file->open() &&
                        file->write(contents[i]) == contents[i].size() && file->flush();
        if (!ok) {
            out->failedPath = targets[i];
            out->reason = target.exists() && !target.isFile() ? QString() : file->errorString();
            return false;
        }
        file->close();
        written.push_back(std::move(file));
    }
    QStringList kept; // each target's earlier file, moved aside; empty where there was none
    const auto rollBack = [&] {
        for (qsizetype k = 0; k < kept.size(); ++k) {
            if (kept[k].isEmpty())
                QFile::remove(targets[k]);
            else
                std::rename(QFile::encodeName(kept[k]).constData(),
                            QFile::encodeName(targets[k]).constData());
        }
    };
    for (qsizetype i = 0; i < targets.size(); ++i) {
        QString aside;
        if (QFileInfo::exists(targets[i])) {
            aside = written[size_t(i)]->fileName() + QLatin1String(".old");
            if (std::rename(QFile::encodeName(targets[i]).constData(),
                            QFile::encodeName(aside).constData()) != 0) {
                out->failedPath = targets[i];
                out->reason = QString::fromLocal8Bit(std::strerror(errno));
                rollBack();
                return false;
            }
        }
        kept.append(aside);
        if (std::rename(QFile::encodeName(written[size_t(i)]->fileName()).constData(),
                        QFile::encodeName(targets[i]).constData()) != 0) {
            out->failedPath = targets[i];
            out->reason = QString::fromLocal8Bit(std::strerror(errno));
            rollBack();
            return false;
        }
        written[size_t(i)]->setAutoRemove(false);
        QFile::setPermissions(targets[i], QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                              QFile::ReadOther);
    }
    for (const QString& aside : std::as_const(kept)) {
        if (!aside.isEmpty())
            QFile::remove(aside);
    }
    return true;
}
