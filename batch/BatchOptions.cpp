#include "BatchOptions.h"

#include "BatchStrings.h"

#include <QFileInfo>
#include <QSize>

#include <cmath>

namespace {

constexpr std::array<const char*, kFaceCount> kFaceOptionNames = {"front", "inside", "back", "cd"};

std::optional<std::array<bool, kFaceCount>> parseFaces(const QString& text, QString* bad)
{
    std::array<bool, kFaceCount> faces{};
    const QStringList names = text.split(QLatin1Char(','));
    for (const QString& raw : names) {
        const QString name = raw.trimmed();
        bool known = false;
        for (int face = 0; face < kFaceCount; ++face) {
            if (name.compare(QLatin1String(kFaceOptionNames[face]), Qt::CaseInsensitive) == 0) {
                faces[face] = true;
                known = true;
            }
        }
        if (!known) {
            *bad = name;
            return std::nullopt;
        }
    }
    return faces;
}

// "X,Y": two finite numbers, each within [min, max].
std::optional<QPointF> parsePair(const QString& text, double min, double max)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 2)
        return std::nullopt;
    double values[2] = {0, 0};
    for (int i = 0; i < 2; ++i) {
        bool ok = false;
        values[i] = parts[i].trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(values[i]) || values[i] < min || values[i] > max)
            return std::nullopt;
    }
    return QPointF(values[0], values[1]);
}

std::optional<int> parseDpi(const QString& text)
{
    bool ok = false;
    const int dpi = text.trimmed().toInt(&ok);
    if (!ok || dpi < BatchOptions::kMinDpi || dpi > BatchOptions::kMaxDpi)
        return std::nullopt;
    return dpi;
}

class Parser
{
public:
    explicit Parser(const QStringList& arguments) : m_args(arguments) {}

    ParsedOptions run()
    {
        bool optionsEnded = false;
        QStringList sets;
        for (m_at = 0; m_at < m_args.size(); ++m_at) {
            const QString arg = m_args[m_at];
            if (optionsEnded || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-")) {
                sets.append(arg);
            } else if (arg == QLatin1String("--")) {
                optionsEnded = true;
            } else {
                option(arg);
            }
        }
        if (sets.size() == 1)
            m_result.options.setFile = sets.first();
        else
            fail(BatchString::OneSetOneOutput, sets.join(QLatin1Char(' ')));
        if (m_outputs > 1)
            fail(BatchString::OneSetOneOutput, QString());
        if (!m_result.options.positions.isEmpty() && m_result.options.labelSheet.isEmpty())
            fail(BatchString::PositionsWithoutSheet, QStringLiteral("--positions ") +
                                                         m_result.options.positions);
        const BatchOptions& o = m_result.options;
        const int largest = BatchOptions::maxPngDpi(o.paper);
        if (o.output == BatchOptions::Output::Png && o.effectiveDpi() > largest) {
            fail(BatchString::PageTooLarge, QStringLiteral("--dpi %1").arg(o.effectiveDpi()),
                 QString::number(largest));
        }
        return std::move(m_result);
    }

private:
    void option(const QString& arg)
    {
        // "--name=value" and "--name value" alike.
        const qsizetype equals = arg.indexOf(QLatin1Char('='));
        const QString name = equals < 0 ? arg : arg.left(equals);
        std::optional<QString> inlineValue;
        if (equals >= 0)
            inlineValue = arg.mid(equals + 1);
        BatchOptions& o = m_result.options;

        if ((name == QLatin1String("--help") || name == QLatin1String("-h")) && !inlineValue) {
            o.help = true;
            return;
        }
        if (name == QLatin1String("--version") && !inlineValue) {
            o.version = true;
            return;
        }
        static const QStringList withValue = {
            QStringLiteral("--faces"),  QStringLiteral("--output"), QStringLiteral("--png"),
            QStringLiteral("--dpi"),    QStringLiteral("--paper"),  QStringLiteral("--language"),
            QStringLiteral("--offset"), QStringLiteral("--scale"),  QStringLiteral("--cd-shape"),
            QStringLiteral("--label-sheet"), QStringLiteral("--positions"),
            QStringLiteral("--fold-marks")};
        if (!withValue.contains(name)) {
            fail(BatchString::UnknownOption, arg);
            return;
        }
        // A value may itself start with a dash (an offset of -2,3), so the next argument is
        // taken whatever it looks like.
        QString value;
        if (inlineValue) {
            value = *inlineValue;
        } else if (m_at + 1 < m_args.size()) {
            value = m_args[++m_at];
        } else {
            fail(BatchString::UnknownOption, arg);
            return;
        }
        const QString shown = name + QLatin1Char(' ') + value;

        if (name == QLatin1String("--faces")) {
            QString bad;
            o.faces = parseFaces(value, &bad);
            if (!o.faces)
                fail(BatchString::UnknownFace, bad.isEmpty() ? shown : bad);
        } else if (name == QLatin1String("--output") || name == QLatin1String("--png")) {
            if (value.isEmpty()) {
                fail(BatchString::UnknownOption, shown);
                return;
            }
            const BatchOptions::Output kind = name == QLatin1String("--png")
                                                  ? BatchOptions::Output::Png
                                                  : BatchOptions::Output::Pdf;
            // Naming the same output twice is no conflict; two different ones are.
            if (m_outputs == 0 || o.output != kind || o.outputPath != value)
                ++m_outputs;
            o.output = kind;
            o.outputPath = value;
        } else if (name == QLatin1String("--dpi")) {
            const std::optional<int> dpi = parseDpi(value);
            if (dpi)
                o.dpi = *dpi;
            else
                fail(BatchString::OutOfRange, shown);
        } else if (name == QLatin1String("--paper")) {
            if (value.compare(QLatin1String("A4"), Qt::CaseInsensitive) == 0)
                o.paper = QPageSize::A4;
            else if (value.compare(QLatin1String("Letter"), Qt::CaseInsensitive) == 0)
                o.paper = QPageSize::Letter;
            else
                fail(BatchString::UnknownOption, shown);
        } else if (name == QLatin1String("--language")) {
            if (value.trimmed().isEmpty())
                fail(BatchString::UnknownOption, shown);
            o.language = value.trimmed();
        } else if (name == QLatin1String("--offset")) {
            const auto offset =
                parsePair(value, -BatchOptions::kMaxOffset, BatchOptions::kMaxOffset);
            if (offset)
                o.offset = *offset;
            else
                fail(BatchString::OutOfRange, shown);
        } else if (name == QLatin1String("--scale")) {
            const auto scale = parsePair(value, BatchOptions::kMinScale, BatchOptions::kMaxScale);
            if (scale)
                o.scale = *scale;
            else
                fail(BatchString::OutOfRange, shown);
        } else if (name == QLatin1String("--cd-shape")) {
            o.cdShape = parseCdShape(value);
            if (!o.cdShape)
                fail(BatchString::OutOfRange, shown);
        } else if (name == QLatin1String("--label-sheet")) {
            o.labelSheet = value.trimmed();
            if (o.labelSheet.isEmpty())
                fail(BatchString::UnknownOption, shown);
        } else if (name == QLatin1String("--positions")) {
            o.positions = value;
        } else if (name == QLatin1String("--fold-marks")) {
            if (value.compare(QLatin1String("on"), Qt::CaseInsensitive) == 0)
                o.foldMarks = true;
            else if (value.compare(QLatin1String("off"), Qt::CaseInsensitive) == 0)
                o.foldMarks = false;
            else
                fail(BatchString::UnknownOption, shown);
        }
    }

    void fail(int message, const QString& detail, const QString& argument = QString())
    {
        if (!m_result.error)
            m_result.error = OptionError{message, detail, argument};
    }

    const QStringList& m_args;
    qsizetype m_at = 0;
    int m_outputs = 0;
    ParsedOptions m_result;
};

} // namespace

QString BatchOptions::pdfPath() const
{
    if (!outputPath.isEmpty())
        return outputPath;
    return QFileInfo(setFile).completeBaseName() + QStringLiteral(".pdf");
}

int BatchOptions::maxPngDpi(QPageSize::PageSizeId paper)
{
    const QSizeF inches = QPageSize(paper).size(QPageSize::Inch);
    const double pixelsPerSquareDot = inches.width() * inches.height();
    int dpi = int(std::sqrt(double(kMaxPageBytes / 4) / pixelsPerSquareDot));
    // Pages are whole pixels, rounded up: step down until one really fits.
    while (dpi > kMinDpi && qint64(QPageSize::sizePixels(paper, dpi).width()) *
                                    QPageSize::sizePixels(paper, dpi).height() * 4 >
                                kMaxPageBytes)
        --dpi;
    return dpi;
}

ParsedOptions parseBatchOptions(const QStringList& arguments)
{
    return Parser(arguments).run();
}

QString faceOptionName(int face)
{
    return isFaceIndex(face) ? QString::fromLatin1(kFaceOptionNames[face]) : QString();
}

std::optional<DiscShape> parseCdShape(const QString& value)
{
    const QStringList parts = value.trimmed().split(QLatin1Char(':'));
    const QString kind = parts.first().trimmed();
    if (kind.compare(QLatin1String("rectangle"), Qt::CaseInsensitive) == 0 ||
        kind.compare(QLatin1String("rect"), Qt::CaseInsensitive) == 0)
        return parts.size() == 1 ? std::optional<DiscShape>(DiscShape()) : std::nullopt;
    if (kind.compare(QLatin1String("round"), Qt::CaseInsensitive) != 0 || parts.size() > 3)
        return std::nullopt;
    DiscShape shape = DiscShape::roundLabel();
    const auto read = [](const QString& text, double low, double high, bool zeroToo,
                         double* out) {
        bool ok = false;
        const double v = text.trimmed().toDouble(&ok);
        if (!ok || !((v >= low && v <= high) || (zeroToo && v == 0)))
            return false;
        *out = v;
        return true;
    };
    if (parts.size() > 1 &&
        !read(parts[1], DiscShape::kMinOuter, DiscShape::kMaxOuter, false, &shape.outer))
        return std::nullopt;
    if (parts.size() > 2 &&
        !read(parts[2], DiscShape::kMinHole, DiscShape::kMaxHole, true, &shape.hole))
        return std::nullopt;
    return shape.normalized();
}
