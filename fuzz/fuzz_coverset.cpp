// Reading a cover-set file from any bytes, and saving the paths it named back into it as a
// Save does: the four keys written, read again, must give the same paths, and saving the
// same paths again must change nothing. Each path is also resolved against the set's folder
// as opening the set does.
//
// Input: the file's bytes.
#include "CoverSetFile.h"
#include "FuzzBudget.h"
#include "FuzzScratch.h"

#include <QDir>

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

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzBudget budget("fuzz_coverset", size);
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

    check(writeCoverSetFile(path, paths), "saving the paths the file named was refused");
    const CoverSetPaths saved = readCoverSetFile(path);
    for (const FaceInfo& face : kFaces) {
        check(saved[face.index] == readBackForm(paths[face.index]),
              "a saved path does not read back");
    }

    QByteArray once;
    check(FuzzScratch::read(path, &once), "the saved file is gone");
    check(writeCoverSetFile(path, saved), "saving again was refused");
    QByteArray twice;
    check(FuzzScratch::read(path, &twice), "the saved file is gone");
    check(saved != paths || twice == once, "saving the same paths again changed the file");
    return 0;
}
