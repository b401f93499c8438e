#include "OffsetFixer.h"

#include "DatabaseLayout.h"
#include "LangLoader.h"
#include "PrivateProfile.h"

#include <QSaveFile>
#include <QTextStream>

#include <limits>

namespace langtool {
namespace {

// The digits of a start change the length of the header, which moves every section; a few
// rounds settle it (each round can only lengthen or shorten a number by a digit or so).
constexpr int kMaxRounds = 32;

QString startKey(int number)
{
    return QStringLiteral("Language%1Start").arg(number);
}

// The header as the load reads it: the names of languages 1 ... N.
bool readNames(const QByteArray& bytes, QStringList* names, QString* error)
{
    const platform::ProfileFile header = platform::ProfileFile::parse(bytes);
    const auto value = [&](const QString& key) {
        return header.value(QStringLiteral("SPOKEN"), key, QStringLiteral("???"), 64);
    };
    const QString count = value(QStringLiteral("NumLanguages"));
    bool ok = false;
    const qint64 n = lang::leadingNumber(count, &ok, std::numeric_limits<qint16>::min(),
                                         std::numeric_limits<qint16>::max());
    if (count == QLatin1String("???") || !ok) {
        *error = QStringLiteral("NumLanguages is missing or out of range");
        return false;
    }
    for (int i = 1; i <= n; ++i) {
        const QString name = value(QStringLiteral("Language%1").arg(i));
        if (name == QLatin1String("???")) {
            *error = QStringLiteral("Language%1 is missing").arg(i);
            return false;
        }
        names->append(name);
    }
    return true;
}

} // namespace

int OffsetFixer::run(const QString& path, QTextStream& out, QTextStream& err)
{
    QByteArray bytes;
    QString error;
    if (!DatabaseLayout::read(path, &bytes, &error)) {
        err << error << '\n';
        return 1;
    }
    QStringList names;
    if (!readNames(bytes, &names, &error)) {
        err << path << ": " << error << '\n';
        return 1;
    }

    const QByteArray original = bytes;
    QList<QByteArray> before;
    for (int round = 0;; ++round) {
        if (round == kMaxRounds) {
            err << path << ": the start positions do not settle\n";
            return 1;
        }
        bool changed = false;
        // From the last key to the first, so that a rewrite leaves the places of the keys
        // still to come as they were found.
        for (int number = int(names.size()); number >= 1; --number) {
            const std::optional<DatabaseLayout::Span> span =
                DatabaseLayout::headerValue(bytes, startKey(number));
            if (!span) {
                err << path << ": " << startKey(number) << " is missing\n";
                return 1;
            }
            const qint64 actual = DatabaseLayout::sectionStart(bytes, names.at(number - 1));
            if (actual == 0) {
                err << path << ": there is no section [" << names.at(number - 1) << "]\n";
                return 1;
            }
            const QByteArray value = bytes.mid(span->begin, span->end - span->begin);
            if (round == 0)
                before.prepend(value);
            bool ok = false;
            // A value that already reads as the right number stays as it is written.
            if (lang::leadingNumber(QString::fromLatin1(value), &ok, 1, actual) == actual && ok)
                continue;
            bytes.replace(span->begin, span->end - span->begin, QByteArray::number(actual));
            changed = true;
        }
        if (!changed)
            break;
    }

    if (bytes == original) {
        out << path << ": every start position is right\n";
        return 0;
    }
    for (int number = 1; number <= names.size(); ++number) {
        const std::optional<DatabaseLayout::Span> span =
            DatabaseLayout::headerValue(bytes, startKey(number));
        const QByteArray now = bytes.mid(span->begin, span->end - span->begin);
        if (now != before.value(number - 1))
            out << path << ": " << startKey(number) << ' ' << before.value(number - 1) << " -> "
                << now << '\n';
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        err << path << ": cannot be written: " << file.errorString() << '\n';
        return 1;
    }
    return 0;
}

} // namespace langtool
