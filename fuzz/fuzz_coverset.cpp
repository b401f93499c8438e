// Reading a cover-set file from any bytes, and saving the paths and text blocks it named back
// into it as a Save does: the four keys and the blocks written, read again, must give the same
// paths and blocks, and saving the same again must change nothing. Each path is also resolved
// against the set's folder as opening the set does, and each block is laid out as the face,
// the printer and the batch tool lay it out.
//
// Input: the file's bytes.
#include "CoverSetFile.h"
#include "LabelSheet.h"
#include "FuzzBudget.h"
#include "FuzzScratch.h"
#include "TextLayout.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

namespace {

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz_coverset: %s\n", what);
        std::abort();
    }
}

// A path as it reads back once written: the profile reader takes one pair of matching
// quotes around a value as quoting (a path that starts and ends with the same quote mark
// cannot come from a file dialog, whose paths are absolute).
QString readBackForm(const QString& path)
{
    QString text = path;
    if (text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'') &&
        text.back() == text.front())
        text = text.sliced(1, text.size() - 2);
    return text.trimmed();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // Laying text out needs the fonts of a GUI application; no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int appArgc = *argc;
    static QGuiApplication* app = new QGuiApplication(appArgc, *argv);
    Q_UNUSED(app);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzBudget budget("fuzz_coverset", size);
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString path = FuzzScratch::path(QStringLiteral("set.ovc"));
    FuzzScratch::write(path, bytes);

    const CoverSetPaths paths = readCoverSetFile(path);
    for (const QString& picture : paths) {
        check(picture.size() < 2048, "a path is longer than the reader's buffer");
        const QString resolved = resolvePicturePath(path, picture);
        check(picture.isEmpty() == resolved.isEmpty(), "resolving changed whether a path is empty");
        check(picture.isEmpty() || QDir::isAbsolutePath(resolved),
              "a path resolved to a relative one");
    }

    const CoverSetTexts texts = readCoverSetTexts(path);
    for (const FaceInfo& face : kFaces) {
        check(texts[face.index].size() <= TextBlock::kMaxPerFace, "a face holds too many blocks");
        for (const TextBlock& block : texts[face.index]) {
            check(block == block.normalized(), "a block read is out of its ranges");
            const TextLayout layout(block);
            budget.allowLaidOutCharacters(block.text.size() * layout.passes());
            check(layout.pointSize() >= TextBlock::kMinSize - 1e-9 &&
                      layout.pointSize() <= block.size + 1e-9,
                  "a block was laid out at a size it may not have");
            const QRectF room = block.box.adjusted(-0.01, -0.01, 0.01, 0.01);
            const QList<TextLayout::Word> words = layout.words();
            for (const TextLayout::Word& word : layout.fits() ? words : QList<TextLayout::Word>()) {
                check(room.contains(word.start) && room.contains(word.end),
                      "a word was placed outside its box");
            }
        }
    }

    const DiscShape shape = readCoverSetShape(path);
    check(shape == shape.normalized(), "a disc shape read is out of its ranges");

    // A label sheet file is a profile file of its own kind; the same bytes make one.
    if (const std::optional<LabelSheet> sheet = LabelSheet::read(path)) {
        check(!sheet->centres.isEmpty() && sheet->centres.size() <= LabelSheet::kMaxLabels,
              "a label sheet has no labels or too many");
        const QRectF paper(QPointF(0, 0), sheet->paperMm);
        for (int p = 1; p <= sheet->centres.size(); ++p)
            check(paper.contains(sheet->labelSquare(p)), "a label lies off its paper");
    }

    check(writeCoverSetFile(path, paths, texts, shape), "saving what the file named was refused");
    const CoverSetPaths saved = readCoverSetFile(path);
    for (const FaceInfo& face : kFaces) {
        check(saved[face.index] == readBackForm(paths[face.index]),
              "a saved path does not read back");
    }
    const CoverSetTexts savedTexts = readCoverSetTexts(path);
    check(savedTexts == texts, "saved text blocks do not read back");
    check(readCoverSetShape(path) == shape, "the saved disc shape does not read back");

    QByteArray once;
    check(FuzzScratch::read(path, &once), "the saved file is gone");
    check(writeCoverSetFile(path, saved, savedTexts, shape), "saving again was refused");
    QByteArray twice;
    check(FuzzScratch::read(path, &twice), "the saved file is gone");
    check(saved != paths || twice == once, "saving the same again changed the file");
    return 0;
}
