#include "TextBlockFile.h"

#include "ProfileNumber.h"

#include <QStringList>

namespace TextBlockFile {

namespace {

// The profile reader's buffer for a block's text, as for any value it reads.
constexpr int kTextBuffer = 16 * 1024;
constexpr int kValueBuffer = 256;

const char* alignName(TextBlock::Align align)
{
    switch (align) {
    case TextBlock::Align::Center:
        return "center";
    case TextBlock::Align::Right:
        return "right";
    case TextBlock::Align::Left:
        break;
    }
    return "left";
}

} // namespace

QString sectionName(const FaceInfo& face, int number)
{
    return QStringLiteral("%1.Text%2").arg(QLatin1String(face.name)).arg(number);
}

QString escapeText(const QString& text)
{
    QString out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool end = i == 0 || i == text.size() - 1;
        if (c == QLatin1Char('\\'))
            out += QLatin1String("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QLatin1String("\\n");
        else if (c == QLatin1Char('\r'))
            continue;
        else if (c == QLatin1Char('\t'))
            out += QLatin1String("\\t");
        else if (end && c == QLatin1Char(' '))
            out += QLatin1String("\\s");
        else if (end && c == QLatin1Char('"'))
            out += QLatin1String("\\q");
        else if (end && c == QLatin1Char('\''))
            out += QLatin1String("\\a");
        else
            out += c;
    }
    return out;
}

QString unescapeText(const QString& value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != QLatin1Char('\\') || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const QChar next = value.at(++i);
        switch (next.unicode()) {
        case '\\': out += QLatin1Char('\\'); break;
        case 'n': out += QLatin1Char('\n'); break;
        case 't': out += QLatin1Char('\t'); break;
        case 's': out += QLatin1Char(' '); break;
        case 'q': out += QLatin1Char('"'); break;
        case 'a': out += QLatin1Char('\''); break;
        default:
            out += c;
            out += next;
        }
    }
    return out;
}

TextBlocks read(const platform::ProfileFile& file, const FaceInfo& face, const QSizeF& faceMm)
{
    TextBlocks blocks;
    for (int n = 1; n <= TextBlock::kMaxPerFace; ++n) {
        const QString section = sectionName(face, n);
        if (!file.hasSection(section))
            break;
        const auto value = [&](const char* key, int size = kValueBuffer) {
            return file.value(section, QLatin1String(key), QString(), size);
        };
        const QStringList box = value("Box").split(QLatin1Char(','));
        double x = 0, y = 0, w = 0, h = 0;
        if (box.size() != 4 || !readProfileNumber(box[0], &x) || !readProfileNumber(box[1], &y) ||
            !readProfileNumber(box[2], &w) || !readProfileNumber(box[3], &h))
            continue;
        TextBlock block;
        block.box = QRectF(x, y, w, h);
        block.text = unescapeText(value("Text", kTextBuffer));
        const QString font = value("Font").trimmed();
        if (!font.isEmpty())
            block.font = font;
        readProfileNumber(value("Size"), &block.size);
        block.bold = value("Bold").trimmed().toInt() != 0;
        block.italic = value("Italic").trimmed().toInt() != 0;
        const QColor color = QColor::fromString(value("Color").trimmed());
        if (color.isValid())
            block.color = color;
        const QString align = value("Align").trimmed().toLower();
        block.align = align == QLatin1String("center") ? TextBlock::Align::Center
                      : align == QLatin1String("right") ? TextBlock::Align::Right
                                                          : TextBlock::Align::Left;
        block.rotation = value("Rotate").trimmed().toInt();
        const QString columns = value("Columns").trimmed();
        if (!columns.isEmpty())
            block.columns = columns.toInt();
        block.shrink = value("Fit").trimmed().compare(QLatin1String("shrink"),
                                                      Qt::CaseInsensitive) == 0;
        block = block.normalized();
        if (block.touches(faceMm))
            blocks.append(block);
    }
    return blocks;
}

QList<platform::ProfileSectionEdit> edits(const platform::ProfileFile& existing,
                                          const FaceInfo& face, const TextBlocks& blocks)
{
    QList<platform::ProfileSectionEdit> result;
    int n = 0;
    for (const TextBlock& block : blocks) {
        if (++n > TextBlock::kMaxPerFace)
            break;
        const QRectF& b = block.box;
        result.append({sectionName(face, n),
                       {{QStringLiteral("Text"), escapeText(block.text)},
                        {QStringLiteral("Font"), block.font},
                        {QStringLiteral("Size"), profileNumber(block.size)},
                        {QStringLiteral("Bold"), block.bold ? QStringLiteral("1") : QStringLiteral("0")},
                        {QStringLiteral("Italic"), block.italic ? QStringLiteral("1") : QStringLiteral("0")},
                        {QStringLiteral("Color"), block.color.name(QColor::HexRgb)},
                        {QStringLiteral("Align"), QLatin1String(alignName(block.align))},
                        {QStringLiteral("Box"), QStringLiteral("%1,%2,%3,%4")
                                                    .arg(profileNumber(b.x()), profileNumber(b.y()),
                                                         profileNumber(b.width()), profileNumber(b.height()))},
                        {QStringLiteral("Rotate"), QString::number(block.rotation)},
                        {QStringLiteral("Columns"), QString::number(block.columns)},
                        {QStringLiteral("Fit"), block.shrink ? QStringLiteral("shrink")
                                                             : QStringLiteral("none")}},
                       false});
    }
    // Every later section of the face goes, gaps and all: a block past a gap was never read.
    for (int gone = n + 1; gone <= TextBlock::kMaxPerFace; ++gone) {
        const QString section = sectionName(face, gone);
        if (existing.hasSection(section))
            result.append({section, {}, true});
    }
    return result;
}

} // namespace TextBlockFile
