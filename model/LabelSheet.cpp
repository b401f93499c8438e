#include "LabelSheet.h"

#include "PrivateProfile.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QRectF>
#include <QRegularExpression>

#include <cmath>

namespace {

const QString kSection = QStringLiteral("Label sheet");
constexpr double kMinPaper = 50;
constexpr double kMaxPaper = 1200;
constexpr double kMinOuter = 20;
constexpr double kMaxOuter = 130;
// Labels may touch, and a centre may be off by a little in the file.
constexpr double kOverlapAllowance = 0.05;

std::optional<double> number(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<QSizeF> paper(const QString& text)
{
    const QString name = text.trimmed();
    if (name.compare(QLatin1String("A4"), Qt::CaseInsensitive) == 0)
        return QSizeF(210, 297);
    if (name.compare(QLatin1String("Letter"), Qt::CaseInsensitive) == 0)
        return QSizeF(215.9, 279.4);
    const QStringList parts = name.split(QLatin1Char('x'), Qt::KeepEmptyParts, Qt::CaseInsensitive);
    if (parts.size() != 2)
        return std::nullopt;
    const std::optional<double> w = number(parts[0]);
    const std::optional<double> h = number(parts[1]);
    if (!w || !h || *w < kMinPaper || *w > kMaxPaper || *h < kMinPaper || *h > kMaxPaper)
        return std::nullopt;
    return QSizeF(*w, *h);
}

} // namespace

QRectF LabelSheet::labelSquare(int position) const
{
    if (position < 1 || position > centres.size())
        return QRectF();
    const QPointF c = centres[position - 1];
    return QRectF(c.x() - outer / 2, c.y() - outer / 2, outer, outer);
}

std::optional<LabelSheet> LabelSheet::read(const QString& path)
{
    const platform::ProfileFile file = platform::ProfileFile::load(path);
    if (!file.hasSection(kSection))
        return std::nullopt;
    const auto value = [&file](const QString& key) {
        return file.value(kSection, key, QString(), 256).trimmed();
    };
    LabelSheet sheet;
    sheet.id = QFileInfo(path).completeBaseName();
    sheet.name = value(QStringLiteral("Name"));
    if (sheet.name.isEmpty())
        sheet.name = sheet.id;
    const std::optional<QSizeF> size = paper(value(QStringLiteral("Paper")));
    const std::optional<double> outer = number(value(QStringLiteral("Outer")));
    const std::optional<double> hole = number(value(QStringLiteral("Hole")));
    if (!size || !outer || !hole || *outer < kMinOuter || *outer > kMaxOuter || *hole < 0 ||
        *hole > *outer - 10)
        return std::nullopt;
    sheet.paperMm = *size;
    sheet.outer = *outer;
    sheet.hole = *hole;
    const QRectF paperRect(QPointF(0, 0), sheet.paperMm);
    for (int n = 1; n <= kMaxLabels; ++n) {
        const QString text = value(QStringLiteral("Label%1").arg(n));
        if (text.isEmpty())
            break;
        const QStringList xy = text.split(QLatin1Char(','));
        const std::optional<double> x = xy.size() == 2 ? number(xy[0]) : std::nullopt;
        const std::optional<double> y = xy.size() == 2 ? number(xy[1]) : std::nullopt;
        if (!x || !y)
            return std::nullopt;
        const QPointF centre(*x, *y);
        for (const QPointF& other : std::as_const(sheet.centres)) {
            if (std::hypot(centre.x() - other.x(), centre.y() - other.y()) <
                sheet.outer - kOverlapAllowance)
                return std::nullopt;
        }
        sheet.centres.append(centre);
        if (!paperRect.contains(sheet.labelSquare(int(sheet.centres.size()))))
            return std::nullopt;
    }
    if (sheet.centres.isEmpty())
        return std::nullopt;
    return sheet;
}

QList<LabelSheet> LabelSheet::readAll(const QStringList& folders, QStringList* malformed)
{
    QMap<QString, LabelSheet> byId;
    for (const QString& folder : folders) {
        if (folder.isEmpty())
            continue;
        const QFileInfoList files =
            QDir(folder).entryInfoList({QStringLiteral("*.ini")}, QDir::Files, QDir::Name);
        for (const QFileInfo& file : files) {
            if (std::optional<LabelSheet> sheet = read(file.filePath()))
                byId.insert(sheet->id.toLower(), *sheet);
            else if (malformed)
                malformed->append(QDir::toNativeSeparators(file.filePath()));
        }
    }
    QList<LabelSheet> sheets = byId.values();
    std::sort(sheets.begin(), sheets.end(), [](const LabelSheet& a, const LabelSheet& b) {
        return a.name.localeAwareCompare(b.name) < 0;
    });
    return sheets;
}

const LabelSheet* LabelSheet::find(const QList<LabelSheet>& sheets, const QString& name)
{
    for (const LabelSheet& sheet : sheets) {
        if (sheet.id.compare(name, Qt::CaseInsensitive) == 0 ||
            sheet.name.compare(name, Qt::CaseInsensitive) == 0)
            return &sheet;
    }
    return nullptr;
}

std::optional<QList<int>> LabelSheet::parsePositions(const QString& text, int count)
{
    const QString trimmed = text.trimmed();
    QList<bool> chosen(count, false);
    if (trimmed.isEmpty() || trimmed.compare(QLatin1String("all"), Qt::CaseInsensitive) == 0) {
        chosen.fill(true);
    } else {
        static const QRegularExpression item(QStringLiteral("^\\s*(\\d{1,3})\\s*(?:-\\s*(\\d{1,3})\\s*)?$"));
        const QStringList parts = trimmed.split(QLatin1Char(','));
        for (const QString& part : parts) {
            const QRegularExpressionMatch match = item.match(part);
            if (!match.hasMatch())
                return std::nullopt;
            const int from = match.captured(1).toInt();
            const int to = match.captured(2).isEmpty() ? from : match.captured(2).toInt();
            if (from < 1 || to > count || from > to)
                return std::nullopt;
            for (int p = from; p <= to; ++p)
                chosen[p - 1] = true;
        }
    }
    QList<int> positions;
    for (int p = 1; p <= count; ++p) {
        if (chosen[p - 1])
            positions.append(p);
    }
    return positions;
}
