#include "BatchJob.h"

#include "BatchStrings.h"
#include "Diagnostics.h"
#include "LangRuntime.h"
#include "LazyPictureTarget.h"
#include "PdfSheets.h"
#include "PngSheets.h"
#include "PrintLayout.h"
#include "ProgramFolder.h"
#include "TextLayout.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

constexpr int kFront = 0;
constexpr int kInside = 1;

// Where a path leads, for telling whether two paths are one file.
QString identity(const QString& path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

} // namespace

QPageLayout BatchJob::pageLayout(QPageSize::PageSizeId paper)
{
    return QPageLayout(QPageSize(paper), QPageLayout::Landscape,
                       QMarginsF(kMarginPoints, kMarginPoints, kMarginPoints, kMarginPoints),
                       QPageLayout::Point);
}

BatchJob::BatchJob(const BatchOptions& options, Say say, const QElapsedTimer& clock)
    : m_options(options), m_say(std::move(say)), m_clock(clock)
{
}

int BatchJob::run()
{
    if (!readSet())
        return SetUnreadable;
    if (!chooseFaces() || !loadPictures())
        return PictureUnloadable;
    warnOfCutText();
    PrintOptions options;
    if (!chooseLabelSheet(&options))
        return BadArguments;
    const PrintLayout layout(m_chosen, m_standIns, PrintLayout::captionsFrom(LangString), m_texts,
                             options);
    if (!outputsSpareTheInputs(layout.sheetCount()))
        return BadArguments;
    return write(layout);
}

bool BatchJob::readSet()
{
    const QString& set = m_options.setFile;
    QFile file(set);
    const bool opened = file.open(QIODevice::ReadOnly);
    // A folder may open for reading, yet it is no set.
    if (!opened || !QFileInfo(set).isFile()) {
        m_say(Diagnostics::line(set, Diagnostics::text(BatchString::SetUnreadable),
                                opened ? QString() : file.errorString()));
        return false;
    }
    file.close();
    if (!holdsCoverSet(set)) {
        m_say(Diagnostics::line(set, Diagnostics::text(BatchString::NotACoverSet)));
        return false;
    }
    const CoverSetPaths written = readCoverSetFile(set);
    for (const FaceInfo& face : kFaces)
        m_paths[face.index] = resolvePicturePath(set, written[face.index]);
    m_texts = readCoverSetTexts(set);
    m_cdShape = m_options.cdShape.value_or(readCoverSetShape(set));
    return true;
}

bool BatchJob::chooseLabelSheet(PrintOptions* options)
{
    options->cdShape = m_cdShape;
    options->foldMarks = m_options.foldMarks;
    if (m_options.labelSheet.isEmpty())
        return true;
    QStringList malformed;
    const QList<LabelSheet> sheets =
        LabelSheet::readAll(platform::labelSheetFolders(platform::programFolder()), &malformed);
    for (const QString& file : std::as_const(malformed))
        m_say(Diagnostics::line(file, Diagnostics::text(BatchString::MalformedLabelSheets)));
    const LabelSheet* sheet = LabelSheet::find(sheets, m_options.labelSheet);
    if (!sheet) {
        QStringList names;
        for (const LabelSheet& known : sheets)
            names.append(known.id);
        m_say(Diagnostics::line(m_options.labelSheet,
                                Diagnostics::text(BatchString::NoSuchLabelSheet),
                                names.join(QLatin1String(", "))));
        return false;
    }
    if (!m_cdShape.round) {
        m_say(Diagnostics::line(m_options.setFile,
                                Diagnostics::text(BatchString::SheetNeedsRoundCd)));
        return false;
    }
    const std::optional<QList<int>> positions =
        LabelSheet::parsePositions(m_options.positions, int(sheet->centres.size()));
    if (!positions || positions->isEmpty()) {
        m_say(Diagnostics::line(QString(),
                                Diagnostics::text(BatchString::BadPositions)
                                    .arg(sheet->centres.size()),
                                QStringLiteral("--positions ") + m_options.positions));
        return false;
    }
    options->labelSheet = *sheet;
    options->positions = *positions;
    return true;
}

bool BatchJob::chooseFaces()
{
    QStringList missing;
    for (const FaceInfo& face : kFaces) {
        const bool hasFile = !m_paths[face.index].isEmpty() || !m_texts[face.index].isEmpty();
        if (m_options.faces) {
            m_chosen[face.index] = (*m_options.faces)[face.index];
            // A face asked for by name and not in the set is a mistake worth a word, not a
            // sheet that silently fails to appear.
            if (m_chosen[face.index] && !hasFile)
                missing.append(faceCaption(face.index));
        } else {
            m_chosen[face.index] = hasFile;
        }
    }
    if (!m_options.faces && !std::count(m_chosen.begin(), m_chosen.end(), true)) {
        for (const FaceInfo& face : kFaces)
            missing.append(faceCaption(face.index));
    }
    if (missing.isEmpty())
        return true;
    m_say(Diagnostics::line(m_options.setFile, Diagnostics::text(BatchString::FaceHasNoPicture),
                            missing.join(QLatin1String(", "))));
    return false;
}

bool BatchJob::loadPictures()
{
    // The booklet's two faces share a sheet, so either brings the other's picture.
    std::array<bool, kFaceCount> needed = m_chosen;
    needed[kFront] = needed[kInside] = m_chosen[kFront] || m_chosen[kInside];
    bool all = true;
    for (const FaceInfo& face : kFaces) {
        const QString& path = m_paths[face.index];
        if (!needed[face.index] || path.isEmpty())
            continue;
        // Every picture is tried now, so that a bad one stops the run before any work; it
        // is read again only when its sheet is drawn (LazyPictureTarget).
        if (platform::Picture::fromFile(path).isNull()) {
            m_say(Diagnostics::line(path, Diagnostics::text(face.loadFailedMessage)));
            all = false;
        }
        m_files[face.index] = path;
    }
    m_standIns = LazyPictureTarget::makeStandIns(m_files);
    return all;
}

bool BatchJob::outputsSpareTheInputs(int sheets)
{
    QStringList inputs = {identity(m_options.setFile)};
    for (const QString& path : m_paths) {
        if (!path.isEmpty())
            inputs.append(identity(path));
    }
    const QStringList outputs = m_options.output == BatchOptions::Output::Pdf
                                    ? QStringList{m_options.pdfPath()}
                                    : PngSheets::paths(m_options.outputPath, sheets);
    for (const QString& output : outputs) {
        if (inputs.contains(identity(output))) {
            m_say(Diagnostics::line(output, Diagnostics::text(BatchString::OutputIsInput)));
            return false;
        }
    }
    return true;
}

int BatchJob::write(const PrintLayout& layout)
{
    SheetSettings settings;
    settings.page = pageLayout(m_options.paper);
    settings.dpi = m_options.effectiveDpi();
    settings.offset = m_options.offset;
    settings.scale = m_options.scale;
    settings.title = QFileInfo(m_options.setFile).completeBaseName();
    settings.clock = &m_clock;
    settings.standIns = m_standIns;
    settings.files = m_files;
    settings.progress = [this](const QString& line) {
        m_say(Diagnostics::programName() + QLatin1String(": ") + line);
    };

    SheetOutput out;
    if (m_options.output == BatchOptions::Output::Pdf) {
        out = PdfSheets::write(layout, settings, m_options.pdfPath());
    } else {
        const QString folder = m_options.outputPath;
        const bool made = !QFileInfo::exists(folder) && QDir().mkpath(folder);
        out = PngSheets::write(layout, settings, folder);
        if (!out.ok && made)
            QDir().rmdir(folder); // only when empty: nothing of anyone else's goes
    }
    if (out.ok)
        return Done;
    if (out.failedFace >= 0) {
        m_say(Diagnostics::line(out.failedPath,
                                Diagnostics::text(kFaces[out.failedFace].loadFailedMessage)));
        return PictureUnloadable;
    }
    m_say(Diagnostics::line(out.failedPath, Diagnostics::text(BatchString::OutputNotWritten),
                            out.reason));
    return OutputNotWritten;
}

void BatchJob::warnOfCutText()
{
    std::array<bool, kFaceCount> printed = m_chosen;
    printed[kFront] = printed[kInside] = m_chosen[kFront] || m_chosen[kInside];
    for (const FaceInfo& face : kFaces) {
        if (!printed[face.index])
            continue;
        const TextBlocks& blocks = m_texts[face.index];
        for (qsizetype i = 0; i < blocks.size(); ++i) {
            if (TextLayout(blocks[i]).fits())
                continue;
            m_say(Diagnostics::line(m_options.setFile,
                                    Diagnostics::text(BatchString::TextCut)
                                        .arg(faceCaption(face.index))
                                        .arg(i + 1)));
        }
    }
}

QString BatchJob::faceCaption(int face)
{
    const FaceInfo& info = kFaces[face];
    QString caption = info.printCheckCaption ? LangString(info.printCheckCaption)
                                             : QString::fromLatin1(info.fixedPrintCaption);
    return caption.remove(QLatin1Char('&'));
}
