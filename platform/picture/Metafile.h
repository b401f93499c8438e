#pragma once

#include <QByteArray>
#include <QSize>

#include <optional>

namespace platform {

// Windows (WMF) and enhanced (EMF) metafiles: recognised by their content, checked record
// by record, and turned into SVG for drawing.
class Metafile
{
public:
    enum class Type
    {
        None,
        Wmf,
        Emf
    };

    struct Converted
    {
        Type type = Type::None;
        QByteArray svg;
        QSize naturalSize; // pixels at 96 dpi
    };

    static Type detect(const QByteArray& bytes);
    // Every record must lie inside the file and the end-of-file record must be there: the
    // converting libraries are not trusted with a cut-off or malformed record chain.
    static bool isWellFormed(Type type, const QByteArray& bytes);
    // Nothing when the bytes are no metafile, malformed, too large or not convertible.
    static std::optional<Converted> convert(const QByteArray& bytes);
};

} // namespace platform
