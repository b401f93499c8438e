#include "LangLoader.h"

#include "PrivateProfile.h"
#include "TextCodec.h"

#include <QFile>
#include <QFileInfo>

#include <limits>
#include <optional>

namespace lang {
namespace {

// The header section: the languages, where each starts, how the strings are numbered.
const QString kHeaderSection = QStringLiteral("SPOKEN");

using Error = std::optional<LoadError>;

enum class Outcome { Done, Ignored, Aborted };

// Runs one step of the load. A failing step asks the host, which may abort the load, run
// the step again or go on with the step after it.
template <typename Step> Outcome runStep(LoadHost& host, Step&& step)
{
    for (;;) {
        const Error error = step();
        if (!error)
            return Outcome::Done;
        switch (host.loadError(*error)) {
        case LoadHost::Answer::Abort:
            return Outcome::Aborted;
        case LoadHost::Answer::Retry:
            continue;
        case LoadHost::Answer::Ignore:
            return Outcome::Ignored;
        }
    }
}

// Sequential reading of the file's lines at byte positions, as the database is laid out.
class LineReader
{
public:
    explicit LineReader(const QByteArray& bytes) : m_bytes(bytes) {}
    bool atEnd() const { return m_pos >= m_bytes.size(); }
    void seek(qint64 offset) { m_pos = qBound<qint64>(0, offset, m_bytes.size()); }
    QByteArrayView readLine()
    {
        const qint64 start = m_pos;
        qint64 end = start;
        while (end < m_bytes.size() && m_bytes[end] != '\r' && m_bytes[end] != '\n')
            ++end;
        m_pos = end;
        if (m_pos < m_bytes.size() && m_bytes[m_pos] == '\r')
            ++m_pos;
        if (m_pos < m_bytes.size() && m_bytes[m_pos] == '\n')
            ++m_pos;
        return QByteArrayView(m_bytes).sliced(start, end - start);
    }

private:
    const QByteArray& m_bytes;
    qint64 m_pos = 0;
};

QString trimSpaces(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == QLatin1Char(' '))
        ++begin;
    while (end > begin && text[end - 1] == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

// The text of a string line after its "=": one leading and one trailing quote go, and each
// "~~" is a line break.
QString stringText(QString text)
{
    if (text.startsWith(QLatin1Char('"')))
        text.remove(0, 1);
    if (text.endsWith(QLatin1Char('"')))
        text.chop(1);
    text.replace(QStringLiteral("~~"), QStringLiteral("\r\n"));
    return text;
}

QByteArray readDatabase(const QString& path)
{
    QFile file(path);
    if (file.size() > LangLoader::MaxFileBytes || !file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

class BusyScope
{
public:
    explicit BusyScope(LoadHost& host) : m_host(host) { m_host.setBusy(true); }
    ~BusyScope() { m_host.setBusy(false); }

private:
    LoadHost& m_host;
};

class Load
{
public:
    Load(const QString& path, int currentLanguage, LoadHost& host)
        : m_path(path), m_current(currentLanguage), m_host(host)
    {
    }

    LangLoader::Result run()
    {
        if (!QFileInfo(m_path).isFile()) {
            m_host.fatal(LangLoader::notFoundMessage(m_path));
            return std::move(m_result);
        }
        m_bytes = readDatabase(m_path);
        m_header = platform::ProfileFile::parseSection(m_bytes, kHeaderSection);
        if (!readLanguages() || !chooseLanguage())
            return std::move(m_result);
        m_result.chosen = m_choice;
        m_host.languageChosen(m_choice);
        BusyScope busy(m_host);
        if (!makeTable() || !findSection() || !readStrings())
            return std::move(m_result);
        m_result.completed = true;
        return std::move(m_result);
    }

private:
    static constexpr qint64 kInt16Min = std::numeric_limits<qint16>::min();
    static constexpr qint64 kInt16Max = std::numeric_limits<qint16>::max();
    static constexpr qint64 kInt32Min = std::numeric_limits<qint32>::min();
    static constexpr qint64 kInt32Max = std::numeric_limits<qint32>::max();

    // A header value, or nothing when the key is missing ("???" counts as missing).
    std::optional<QString> headerValue(const QString& key) const
    {
        const QString value =
            m_header.value(kHeaderSection, key, QStringLiteral("???"), 64);
        if (value == QLatin1String("???"))
            return std::nullopt;
        return value;
    }

    // Reads a required number; false when the load must stop.
    bool requiredNumber(const QString& key, qint64 min, qint64 max, qint64& out)
    {
        const std::optional<QString> text = headerValue(key);
        if (!text) {
            m_host.fatal(LangLoader::criticalMessage(m_path));
            return false;
        }
        return optionalNumber(*text, min, max, out);
    }

    bool optionalNumber(const QString& text, qint64 min, qint64 max, qint64& out)
    {
        const Outcome outcome = runStep(m_host, [&]() -> Error {
            bool ok = false;
            const qint64 n = leadingNumber(text, &ok, min, max);
            if (!ok)
                return LoadError::Overflow;
            out = n;
            return std::nullopt;
        });
        return outcome != Outcome::Aborted;
    }

    bool readLanguages()
    {
        qint64 count = 0;
        if (!requiredNumber(QStringLiteral("NumLanguages"), kInt16Min, kInt16Max, count))
            return false;
        m_count = int(count);
        const QString commandLine = m_host.commandLine();
        for (int i = 1; i <= m_count; ++i) {
            const QString number = QString::number(i);
            const std::optional<QString> name = headerValue(QStringLiteral("Language") + number);
            if (!name) {
                m_host.fatal(LangLoader::criticalMessage(m_path));
                return false;
            }
            qint64 start = 0;
            if (!requiredNumber(QStringLiteral("Language") + number + QStringLiteral("Start"),
                                kInt32Min, kInt32Max, start))
                return false;
            m_result.names.append(*name);
            m_result.starts.append(start);
            // The last language whose switch appears anywhere on the command line wins.
            if (commandLine.contains(QStringLiteral("/L=") + *name, Qt::CaseInsensitive))
                m_candidate = i;
        }
        return true;
    }

    bool chooseLanguage()
    {
        const Outcome outcome = runStep(m_host, [&]() -> Error {
            int choice = m_candidate;
            if (m_current != -1) {
                // A saved number this database does not have leaves the choice to the user.
                choice = (m_current >= 1 && m_current <= m_count) ? m_current : 0;
            }
            if (m_count == 1)
                choice = 1;
            if (choice == 0) {
                m_host.setNormalCursor();
                choice = m_host.chooseLanguage(m_result.names) + 1;
            }
            m_choice = choice;
            if (choice < 1 || choice > m_count)
                return LoadError::SubscriptOutOfRange;
            return std::nullopt;
        });
        return outcome != Outcome::Aborted;
    }

    bool makeTable()
    {
        qint64 numStrings = 0;
        if (!requiredNumber(QStringLiteral("NumStrings"), kInt32Min, kInt32Max, numStrings))
            return false;
        m_numStrings = numStrings;
        if (const auto base = headerValue(QStringLiteral("StringIndexBase"))) {
            if (!optionalNumber(*base, kInt32Min, kInt32Max, m_base))
                return false;
        }
        if (const auto step = headerValue(QStringLiteral("StringIndexStep"))) {
            if (!optionalNumber(*step, kInt32Min, kInt32Max, m_step))
                return false;
        }
        const Outcome outcome = runStep(m_host, [&]() -> Error {
            const qint64 bound = m_base + m_numStrings * m_step; // no overflow in 64 bits
            if (bound < kInt32Min || bound > kInt32Max)
                return LoadError::Overflow;
            if (bound < 0)
                return LoadError::SubscriptOutOfRange;
            if (bound + 1 > LangLoader::MaxTableSlots)
                return LoadError::OutOfMemory;
            m_result.table = QVector<QString>(bound + 1);
            m_result.filled = QVector<bool>(bound + 1, false);
            return std::nullopt;
        });
        return outcome != Outcome::Aborted;
    }

    bool findSection()
    {
        const QString name = (m_choice >= 1 && m_choice <= m_count)
                                 ? m_result.names.at(m_choice - 1)
                                 : QString();
        const qint64 start = (m_choice >= 1 && m_choice <= m_count)
                                 ? m_result.starts.at(m_choice - 1)
                                 : 0;
        const QString headerLine = QLatin1Char('[') + name + QLatin1Char(']');
        m_reader.emplace(m_bytes);
        if (runStep(m_host, [&]() -> Error {
                if (start <= 0)
                    return LoadError::BadRecordNumber;
                m_reader->seek(start - 1);
                return std::nullopt;
            }) == Outcome::Aborted)
            return false;
        QString line;
        if (runStep(m_host, [&]() -> Error {
                if (m_reader->atEnd())
                    return LoadError::InputPastEndOfFile;
                line = platform::decodeLine(m_reader->readLine());
                return std::nullopt;
            }) == Outcome::Aborted)
            return false;
        if (trimSpaces(line) == headerLine) {
            m_result.startPositionHit = true;
            // A header with no line after it is as broken wherever it was found: reading
            // on would only run past the end of the file.
            if (m_reader->atEnd()) {
                m_host.fatal(LangLoader::criticalMessage(m_path));
                return false;
            }
            return true;
        }
        // A wrong start position only costs a search from the top.
        m_reader->seek(0);
        for (;;) {
            if (m_reader->atEnd()) {
                m_host.fatal(LangLoader::criticalMessage(m_path));
                return false;
            }
            if (trimSpaces(platform::decodeLine(m_reader->readLine())) == headerLine)
                break;
        }
        if (m_reader->atEnd()) {
            m_host.fatal(LangLoader::criticalMessage(m_path));
            return false;
        }
        return true;
    }

    bool readStrings()
    {
        const bool strict = m_base == 0 && m_step == 1;
        for (qint64 k = 0; k < m_numStrings; ++k) {
            QByteArrayView raw;
            const Outcome read = runStep(m_host, [&]() -> Error {
                if (m_reader->atEnd())
                    return LoadError::InputPastEndOfFile;
                raw = m_reader->readLine();
                return std::nullopt;
            });
            if (read == Outcome::Aborted)
                return false;
            // Past the end every further line would fail the same way: stop reading.
            if (read == Outcome::Ignored)
                break;
            QString line = platform::decodeLine(raw);
            if (!line.isEmpty())
                line.remove(0, line.at(0).isHighSurrogate() && line.size() > 1 ? 2 : 1);
            const qsizetype eq = line.indexOf(QLatin1Char('='));
            if (eq < 0) {
                if (strict) {
                    m_host.fatal(LangLoader::criticalMessage(m_path));
                    return false;
                }
                continue;
            }
            if (runStep(m_host, [&]() -> Error { return storeLine(line, eq); }) ==
                Outcome::Aborted)
                return false;
        }
        return true;
    }

    Error storeLine(const QString& line, qsizetype eq)
    {
        bool ok = false;
        const qint64 number = leadingNumber(line.left(eq), &ok, kInt32Min, kInt32Max);
        if (!ok)
            return LoadError::Overflow;
        if (number < 0 || number >= m_result.table.size())
            return LoadError::SubscriptOutOfRange;
        m_result.table[number] = stringText(line.mid(eq + 1));
        m_result.filled[number] = true;
        return std::nullopt;
    }

    const QString m_path;
    const int m_current;
    LoadHost& m_host;
    LangLoader::Result m_result;
    QByteArray m_bytes;
    platform::ProfileFile m_header;
    std::optional<LineReader> m_reader;
    int m_count = 0;
    int m_candidate = 0;
    int m_choice = 0;
    qint64 m_numStrings = 0;
    qint64 m_base = 0;
    qint64 m_step = 1;
};

} // namespace

QString errorText(LoadError error)
{
    switch (error) {
    case LoadError::Overflow:
        return QStringLiteral("Overflow");
    case LoadError::OutOfMemory:
        return QStringLiteral("Out of memory");
    case LoadError::SubscriptOutOfRange:
        return QStringLiteral("Subscript out of range");
    case LoadError::InputPastEndOfFile:
        return QStringLiteral("Input past end of file");
    case LoadError::BadRecordNumber:
        return QStringLiteral("Bad record number");
    }
    return QString();
}

QString loadErrorMessage(LoadError error)
{
    return errorText(error) + QStringLiteral("(Code") + QString::number(int(error)) +
           QLatin1Char(')');
}

qint64 leadingNumber(const QString& text, bool* ok, qint64 min, qint64 max)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    qint64 value = 0;
    bool fits = true;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
        if (value > (std::numeric_limits<qint64>::max() - 9) / 10) {
            fits = false;
            continue;
        }
        value = value * 10 + (text[i].unicode() - '0');
    }
    if (negative)
        value = -value;
    fits = fits && value >= min && value <= max;
    if (ok)
        *ok = fits;
    return fits ? value : 0;
}

LangLoader::Result LangLoader::load(const QString& path, int currentLanguage, LoadHost& host)
{
    return Load(path, currentLanguage, host).run();
}

QString LangLoader::notFoundMessage(const QString& path)
{
    return QStringLiteral("Fatal Error: Language database file ") + path +
           QStringLiteral(" not found.");
}

QString LangLoader::criticalMessage(const QString& path)
{
    return QStringLiteral("Fatal Error: Language database file ") + path +
           QStringLiteral(" is missing critical information.");
}

} // namespace lang
