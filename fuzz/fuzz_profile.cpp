// The profile (INI) reader and writer on any bytes.
//
// Input: section NUL key NUL value NUL file bytes. An input with fewer than three NULs is all
// file, and the key written is ImgFront of [Files], as a cover-set save writes it.
//
// Every key the file seems to name is read; then the key is written into the file, and the
// writer must keep its promises: a refused write leaves the file as it was; a done write
// reads back as the value, leaves every other key's value as it was, and changes no byte
// outside the key's own line (or adds lines only); writing it again changes nothing.
#include "FuzzBudget.h"
#include "FuzzScratch.h"
#include "PrivateProfile.h"
#include "TextCodec.h"

#include <QList>
#include <QSet>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

namespace {

using platform::ProfileFile;

constexpr int kLargeBuffer = 1 << 20;
const QString kDefault = QStringLiteral("\x01-default-\x01");

[[noreturn]] void failure(const char* what)
{
    std::fprintf(stderr, "fuzz_profile: %s\n", what);
    std::abort();
}

void check(bool condition, const char* what)
{
    if (!condition)
        failure(what);
}

struct Request
{
    QString section = QStringLiteral("Files");
    QString key = QStringLiteral("ImgFront");
    QString value = QStringLiteral("fuzz");
    QByteArray file;
};

Request split(const QByteArray& input)
{
    Request request;
    const qsizetype a = input.indexOf('\0');
    const qsizetype b = a < 0 ? -1 : input.indexOf('\0', a + 1);
    const qsizetype c = b < 0 ? -1 : input.indexOf('\0', b + 1);
    if (c < 0) {
        request.file = input;
        return request;
    }
    request.section = QString::fromUtf8(input.first(a));
    request.key = QString::fromUtf8(input.sliced(a + 1, b - a - 1));
    request.value = QString::fromUtf8(input.sliced(b + 1, c - b - 1));
    request.file = input.sliced(c + 1);
    return request;
}

QStringView trimBlanks(QStringView text)
{
    while (!text.isEmpty() && (text.front() == u' ' || text.front() == u'\t'))
        text = text.sliced(1);
    while (!text.isEmpty() && (text.back() == u' ' || text.back() == u'\t'))
        text.chop(1);
    return text;
}

// A value as the reader gives it back: blanks around it go, then one pair of matching quotes.
QString readBackForm(const QString& value)
{
    QStringView text = trimBlanks(value);
    if (text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'') &&
        text.back() == text.front())
        text = text.sliced(1, text.size() - 2);
    return text.toString();
}

bool sameName(const QString& a, const QString& b)
{
    return trimBlanks(a).compare(trimBlanks(b), Qt::CaseInsensitive) == 0;
}

bool hasLineBreak(const QString& text)
{
    return text.contains(u'\r') || text.contains(u'\n');
}

// Section and key names that the file's lines look like they hold, whether or not the
// reader agrees: the comparison of before and after is what matters.
void collectNames(const QByteArray& bytes, QStringList* sections, QStringList* keys)
{
    QByteArray unified = bytes;
    unified.replace('\r', '\n');
    const QList<QByteArray> lines = unified.split('\n');
    for (const QByteArray& raw : lines) {
        const QString line = platform::decodeLine(raw);
        const qsizetype open = line.indexOf(u'[');
        const qsizetype close = line.indexOf(u']');
        if (open >= 0 && close > open && sections->size() < 16)
            sections->append(line.sliced(open + 1, close - open - 1));
        const qsizetype equals = line.indexOf(u'=');
        if (equals >= 0 && keys->size() < 16)
            keys->append(line.first(equals));
    }
}

// Whether the names survive the trip through a file of their own: only then can a writer
// that keeps the file's structure be expected to write them.
bool namesRoundTrip(const Request& r)
{
    if (trimBlanks(r.key).isEmpty() || hasLineBreak(r.section) || hasLineBreak(r.key) ||
        hasLineBreak(r.value))
        return false;
    const QByteArray alone = '[' + r.section.toUtf8() + "]\n" + r.key.toUtf8() + '=' +
                             r.value.toUtf8() + '\n';
    return ProfileFile::parse(alone).value(r.section, r.key, kDefault, kLargeBuffer) ==
           readBackForm(r.value);
}

void readEverything(const ProfileFile& file, const QStringList& sections, const QStringList& keys)
{
    for (const QString& section : sections) {
        for (const QString& key : keys) {
            for (const int size : {0, 1, 2, 7, kLargeBuffer}) {
                const QString value = file.value(section, key, kDefault, size);
                check(value.size() <= qMax(0, size - 1), "a read is longer than its buffer");
            }
        }
    }
}

// The writer may change the bytes of one line only (the key's own, found by the reader's
// rules), and otherwise only add.
void checkBytesKept(const QByteArray& before, const QByteArray& after, const Request& r)
{
    const qsizetype limit = qMin(before.size(), after.size());
    qsizetype prefix = 0;
    while (prefix < limit && before[prefix] == after[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < limit - prefix &&
           before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    const QByteArray removed = before.sliced(prefix, before.size() - prefix - suffix);
    if (removed.isEmpty())
        return;
    check(!removed.contains('\r') && !removed.contains('\n'),
          "a write changed bytes beyond one line");
    qsizetype lineBegin = prefix;
    while (lineBegin > 0 && before[lineBegin - 1] != '\r' && before[lineBegin - 1] != '\n')
        --lineBegin;
    qsizetype lineEnd = prefix;
    while (lineEnd < before.size() && before[lineEnd] != '\r' && before[lineEnd] != '\n')
        ++lineEnd;
    const QByteArray line = before.sliced(lineBegin, lineEnd - lineBegin);
    check(ProfileFile::parse("[s]\n" + line).value(QStringLiteral("s"), r.key, kDefault,
                                                    kLargeBuffer) != kDefault,
          "a write changed a line that is not the key's");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const FuzzBudget budget("fuzz_profile", size);
    const Request r = split(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));

    QStringList sections = {r.section, QStringLiteral("Files"), QString()};
    QStringList keys = {r.key, QStringLiteral("ImgFront"), QString()};
    collectNames(r.file, &sections, &keys);

    const ProfileFile before = ProfileFile::parse(r.file);
    check(before.isValid(), "a small file reads as invalid");
    readEverything(before, sections, keys);

    const QString path = FuzzScratch::path(QStringLiteral("profile.ini"));
    FuzzScratch::write(path, r.file);
    check(platform::GetPrivateProfileString(r.section, r.key, kDefault, kLargeBuffer, path) ==
              before.value(r.section, r.key, kDefault, kLargeBuffer),
          "reading the file differs from parsing its bytes");

    const bool written = platform::WritePrivateProfileString(r.section, r.key, r.value, path);
    QByteArray after;
    check(FuzzScratch::read(path, &after), "the file is gone after a write");
    if (!written) {
        check(after == r.file, "a refused write changed the file");
        check(!namesRoundTrip(r), "a write of plain names was refused");
        return 0;
    }

    const ProfileFile changed = ProfileFile::parse(after);
    check(changed.value(r.section, r.key, kDefault, kLargeBuffer) == readBackForm(r.value),
          "the written key does not read back as its value");
    for (const QString& section : sections) {
        for (const QString& key : keys) {
            if (sameName(section, r.section) && sameName(key, r.key))
                continue;
            check(changed.value(section, key, kDefault, kLargeBuffer) ==
                      before.value(section, key, kDefault, kLargeBuffer),
                  "a write changed another key's value");
        }
    }
    checkBytesKept(r.file, after, r);

    check(platform::WritePrivateProfileString(r.section, r.key, r.value, path),
          "writing the same key again was refused");
    QByteArray again;
    check(FuzzScratch::read(path, &again) && again == after,
          "writing the same key again changed the file");
    return 0;
}
