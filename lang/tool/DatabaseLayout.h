#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace langtool {

// Where things lie in a language database's bytes, found the way the program's load finds
// them, so that the tool's answers are the load's.
class DatabaseLayout
{
public:
    struct Span
    {
        qsizetype begin = 0;
        qsizetype end = 0;
    };

    // The whole file; false (and a message) when it cannot be read or is larger than the
    // load would read.
    static bool read(const QString& path, QByteArray* bytes, QString* error);

    // 1 + the byte offset of the first line that reads "[name]" once blanks are trimmed,
    // as the load's search from the top finds it; 0 when there is none.
    static qint64 sectionStart(const QByteArray& bytes, const QString& name);

    // The bytes of a header key's value (blanks around it excluded) in the first [SPOKEN]
    // section, where the profile reader takes it from; nothing when the key is not there.
    static std::optional<Span> headerValue(const QByteArray& bytes, const QString& key);

private:
    static QList<Span> lines(const QByteArray& bytes);
};

} // namespace langtool
