#include "PdfPictureSwap.h"

#include <QImage>
#include <QList>

#include <algorithm>
#include <map>

namespace {

struct Object
{
    int number = 0;
    qsizetype begin = 0;
    qsizetype end = 0; // where the next object or the table begins
};

// The objects in the order they lie in the file, from the cross-reference table.
bool readObjects(const QByteArray& pdf, QList<Object>* objects, qsizetype* table,
                 QString* error)
{
    const qsizetype mark = pdf.lastIndexOf("startxref");
    if (mark < 0) {
        *error = QStringLiteral("no startxref");
        return false;
    }
    bool ok = false;
    *table = pdf.mid(mark + 9, 24).trimmed().split('\n').value(0).trimmed().toLongLong(&ok);
    if (!ok || *table <= 0 || *table >= mark || !pdf.mid(*table).startsWith("xref")) {
        *error = QStringLiteral("no cross-reference table");
        return false;
    }
    // "xref", "0 N", then N entries of 20 bytes.
    qsizetype at = pdf.indexOf('\n', *table) + 1;
    const qsizetype header = pdf.indexOf('\n', at);
    const QList<QByteArray> range = pdf.mid(at, header - at).trimmed().split(' ');
    const int first = range.value(0).toInt();
    const int count = range.value(1).toInt(&ok);
    at = header + 1;
    if (!ok || first != 0 || count <= 0 || at + qsizetype(count) * 20 > mark) {
        *error = QStringLiteral("unexpected cross-reference table");
        return false;
    }
    for (int i = 0; i < count; ++i, at += 20) {
        const QByteArray entry = pdf.mid(at, 20);
        if (entry.at(17) != 'n')
            continue;
        const qsizetype offset = entry.left(10).toLongLong(&ok);
        if (!ok || offset <= 0 || offset >= *table) {
            *error = QStringLiteral("object %1 out of place").arg(i);
            return false;
        }
        objects->append({i, offset, 0});
    }
    std::sort(objects->begin(), objects->end(),
              [](const Object& a, const Object& b) { return a.begin < b.begin; });
    for (qsizetype i = 0; i < objects->size(); ++i)
        (*objects)[i].end = i + 1 < objects->size() ? (*objects)[i + 1].begin : *table;
    return true;
}

// A value of the dictionary line "/Key value" in `dictionary`.
QByteArray valueOf(const QByteArray& dictionary, const QByteArray& key)
{
    const qsizetype at = dictionary.indexOf("\n/" + key + ' ');
    if (at < 0)
        return QByteArray();
    const qsizetype begin = at + key.size() + 3;
    return dictionary.mid(begin, dictionary.indexOf('\n', begin) - begin).trimmed();
}

// An image object holding a stand-in: its number, and where its dictionary and stream are.
struct StandIn
{
    int id = -1;
    int lengthObject = 0;
    QByteArray dictionary; // from "<<" to ">>", exclusive
};

StandIn standInOf(const QByteArray& object)
{
    StandIn found;
    const qsizetype open = object.indexOf("<<");
    const qsizetype close = object.indexOf(">>\nstream\n");
    if (open < 0 || close < open)
        return found;
    const QByteArray dictionary = object.mid(open + 2, close - open - 2);
    if (valueOf(dictionary, "Subtype") != "/Image" || valueOf(dictionary, "Width") != "16" ||
        valueOf(dictionary, "Height") != "16" || valueOf(dictionary, "Filter") != "/DCTDecode")
        return found;
    const qsizetype data = close + 10;
    const qsizetype dataEnd = object.lastIndexOf("endstream");
    if (dataEnd <= data)
        return found;
    const QImage image = QImage::fromData(object.mid(data, dataEnd - data), "jpeg");
    found.id = PreparedJpegs::markerId(image);
    const QList<QByteArray> length = valueOf(dictionary, "Length").split(' ');
    if (length.size() == 3 && length.at(2) == "R")
        found.lengthObject = length.at(0).toInt();
    found.dictionary = dictionary;
    return found;
}

QByteArray imageObject(int number, const QByteArray& dictionary, int lengthObject,
                       const PreparedJpegs::Prepared& photo)
{
    QByteArray out = QByteArray::number(number) + " 0 obj\n<<";
    const QList<QByteArray> lines = dictionary.split('\n');
    for (const QByteArray& line : lines) {
        if (line.isEmpty())
            continue;
        if (line.startsWith("/Width "))
            out += "\n/Width " + QByteArray::number(photo.size.width());
        else if (line.startsWith("/Height "))
            out += "\n/Height " + QByteArray::number(photo.size.height());
        else if (line.startsWith("/Length ") && lengthObject == 0)
            out += "\n/Length " + QByteArray::number(photo.jpeg.size());
        else
            out += '\n' + line;
    }
    out += "\n>>\nstream\n" + photo.jpeg + "\nendstream\nendobj\n";
    return out;
}

} // namespace

QByteArray PdfPictureSwap::apply(const QByteArray& pdf,
                                 const std::vector<PreparedJpegs::Prepared>& photos,
                                 QString* error)
{
    QList<Object> objects;
    qsizetype table = 0;
    if (!readObjects(pdf, &objects, &table, error))
        return QByteArray();
    const qsizetype trailer = pdf.indexOf("trailer", table);
    const qsizetype startxref = pdf.lastIndexOf("startxref");
    if (trailer < 0 || trailer > startxref || objects.isEmpty()) {
        *error = QStringLiteral("no trailer");
        return QByteArray();
    }

    std::map<int, QByteArray> replaced; // by object number
    std::map<int, qsizetype> lengths;   // length objects to rewrite, and their new value
    std::vector<bool> seen(photos.size(), false);
    for (const Object& object : std::as_const(objects)) {
        const QByteArray text = pdf.mid(object.begin, object.end - object.begin);
        const StandIn standIn = standInOf(text);
        if (standIn.id < 0)
            continue;
        if (size_t(standIn.id) >= photos.size() || photos[size_t(standIn.id)].jpeg.isEmpty()) {
            *error = QStringLiteral("no photo for stand-in %1").arg(standIn.id);
            return QByteArray();
        }
        const PreparedJpegs::Prepared& photo = photos[size_t(standIn.id)];
        seen[size_t(standIn.id)] = true;
        replaced[object.number] =
            imageObject(object.number, standIn.dictionary, standIn.lengthObject, photo);
        if (standIn.lengthObject > 0)
            lengths[standIn.lengthObject] = photo.jpeg.size();
    }
    for (const auto& [number, length] : lengths) {
        replaced[number] = QByteArray::number(number) + " 0 obj\n" +
                           QByteArray::number(length) + "\nendobj\n";
    }
    if (std::find(seen.begin(), seen.end(), false) != seen.end()) {
        *error = QStringLiteral("a stand-in is missing from the file");
        return QByteArray();
    }

    qsizetype total = pdf.size();
    for (const PreparedJpegs::Prepared& photo : photos)
        total += photo.jpeg.size();
    QByteArray out;
    out.reserve(total);
    out += pdf.left(objects.first().begin);
    std::map<int, qsizetype> offsets;
    int highest = 0;
    for (const Object& object : std::as_const(objects)) {
        offsets[object.number] = out.size();
        highest = std::max(highest, object.number);
        const auto swap = replaced.find(object.number);
        if (swap != replaced.end())
            out += swap->second;
        else
            out += QByteArrayView(pdf).sliced(object.begin, object.end - object.begin);
    }
    const qsizetype newTable = out.size();
    out += "xref\n0 " + QByteArray::number(highest + 1) + "\n0000000000 65535 f \n";
    for (int number = 1; number <= highest; ++number) {
        const auto at = offsets.find(number);
        if (at == offsets.end())
            out += "0000000000 65535 f \n";
        else
            out += QByteArray::number(at->second).rightJustified(10, '0') + " 00000 n \n";
    }
    out += QByteArrayView(pdf).sliced(trailer, startxref - trailer);
    out += "startxref\n" + QByteArray::number(newTable) + "\n%%EOF\n";
    return out;
}
