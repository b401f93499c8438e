#include "LeanJpegDecoder.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>
#include <vector>

namespace {

// Averages source rows down to the rows of `out`, each output row the exact area mean of the
// source rows it covers. Positions are counted in 1/(output rows) of a source row and
// 1/(source rows) of an output row, so every overlap is a whole number.
class RowAverager
{
public:
    RowAverager(QImage& out, int sourceRows)
        : m_out(out), m_sourceRows(sourceRows), m_sum(size_t(out.width()) * 4, 0)
    {
    }

    // The next source row, already as wide as the output.
    void add(const uchar* line)
    {
        const qint64 outRows = m_out.height();
        qint64 begin = m_sourceRow * outRows;
        const qint64 end = begin + outRows;
        quint32* sum = m_sum.data();
        const size_t count = m_sum.size();
        while (begin < end && m_outRow < outRows) {
            const qint64 rowEnd = (m_outRow + 1) * qint64(m_sourceRows);
            const quint32 part = quint32(qMin(end, rowEnd) - begin);
            for (size_t i = 0; i < count; ++i)
                sum[i] += quint32(line[i]) * part;
            begin += part;
            if (begin == rowEnd)
                flush();
        }
        ++m_sourceRow;
    }

private:
    void flush()
    {
        uchar* line = m_out.scanLine(int(m_outRow));
        quint32* sum = m_sum.data();
        const size_t count = m_sum.size();
        // A multiplication, not a division per byte: the mean of bytes is a byte again.
        const float scale = 1.0f / float(m_sourceRows);
        for (size_t i = 0; i < count; ++i)
            line[i] = uchar(float(sum[i]) * scale + 0.5f);
        std::fill(m_sum.begin(), m_sum.end(), 0);
        ++m_outRow;
    }

    QImage& m_out;
    int m_sourceRows;
    std::vector<quint32> m_sum; // per byte of an output row
    qint64 m_sourceRow = 0;
    qint64 m_outRow = 0;
};

QImage readRows(const QByteArray& bytes, const QRect& rows)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "jpeg");
    reader.setClipRect(rows);
    return reader.read();
}

} // namespace

QImage LeanJpegDecoder::scaled(const QByteArray& bytes, const QSize& size)
{
    QSize full;
    {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader probe(&buffer, "jpeg");
        probe.setAutoTransform(true);
        if (!probe.canRead() || probe.transformation() != QImageIOHandler::TransformationNone)
            return QImage();
        full = probe.size();
    }
    if (!full.isValid() || size.isEmpty() || size.width() > full.width() ||
        size.height() > full.height())
        return QImage();
    if (qint64(full.width()) * full.height() * 4 <= kWholeDecodeBytes)
        return QImage();
    if (full.width() >= 2 * size.width() && full.height() >= 2 * size.height())
        return QImage(); // the codec halves it before anything is held

    // Sums of up to 255 x the source rows per output row must fit in 32 bits.
    if (qint64(full.height()) * 255 >= (qint64(1) << 32))
        return QImage();
    QImage out(size, QImage::Format_RGB32);
    if (out.isNull())
        return QImage();
    RowAverager averager(out, full.height());
    const int bandRows = int(qMax<qint64>(16, kBandBytes / (qint64(full.width()) * 4)));
    for (int top = 0; top < full.height(); top += bandRows) {
        const int rows = qMin(bandRows, full.height() - top);
        QImage band = readRows(bytes, QRect(0, top, full.width(), rows));
        if (band.size() != QSize(full.width(), rows))
            return QImage();
        band = band.convertToFormat(QImage::Format_RGB32);
        if (band.width() != size.width())
            band = band.scaled(size.width(), rows, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (band.isNull())
            return QImage();
        for (int y = 0; y < rows; ++y)
            averager.add(band.constScanLine(y));
    }
    return out;
}
