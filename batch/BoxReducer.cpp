#include "BoxReducer.h"

#include <algorithm>

namespace {

constexpr int kChannels = 3; // blue, green, red; the fourth byte is not a colour

} // namespace

bool BoxReducer::canReduce(const QSize& source, const QSize& target)
{
    if (source.isEmpty() || target.isEmpty() || target.width() > source.width() ||
        target.height() > source.height())
        return false;
    // A row's sums reach 255 x the source width; a column's reach 0xffff x the source height.
    return qint64(source.width()) * 255 < (qint64(1) << 32) &&
           qint64(source.height()) * 0xffff < (qint64(1) << 32);
}

BoxReducer::BoxReducer(const QSize& source, const QSize& target, Rows rows)
    : m_source(source),
      m_target(target),
      m_rows(std::move(rows)),
      m_column(size_t(source.width())),
      m_share(size_t(source.width())),
      m_wide(size_t(target.width() + 1) * kChannels),
      m_narrow(size_t(target.width()) * kChannels),
      m_tall(size_t(target.width()) * kChannels),
      m_out(size_t(target.width()) * 4, 0xff)
{
    const qint64 sw = source.width();
    const qint64 tw = target.width();
    for (qint64 x = 0; x < sw; ++x) {
        const qint64 begin = x * tw;
        const qint64 column = begin / sw;
        const qint64 columnEnd = (column + 1) * sw;
        m_column[size_t(x)] = int(column);
        m_share[size_t(x)] = quint32(std::min(tw, columnEnd - begin));
    }
}

void BoxReducer::narrow(const uchar* line)
{
    std::fill(m_wide.begin(), m_wide.end(), 0);
    const quint32 whole = quint32(m_target.width());
    quint32* wide = m_wide.data();
    const int width = m_source.width();
    for (int x = 0; x < width; ++x, line += 4) {
        quint32* here = wide + size_t(m_column[size_t(x)]) * kChannels;
        const quint32 share = m_share[size_t(x)];
        const quint32 rest = whole - share;
        for (int c = 0; c < kChannels; ++c) {
            here[c] += line[c] * share;
            here[c + kChannels] += line[c] * rest;
        }
    }
    // Means in 8.8 fixed point: the columns' fractions are kept for the rows' averaging.
    const float scale = 256.0f / float(m_source.width());
    for (size_t i = 0; i < m_narrow.size(); ++i)
        m_narrow[i] = quint16(std::min(65535.0f, float(wide[i]) * scale + 0.5f));
}

bool BoxReducer::add(const uchar* line)
{
    if (m_outRow >= m_target.height())
        return m_sourceRow++ < m_source.height();
    narrow(line);
    // The same split as the columns', along the rows.
    const qint64 outRows = m_target.height();
    qint64 begin = m_sourceRow * outRows;
    const qint64 end = begin + outRows;
    while (begin < end && m_outRow < outRows) {
        const qint64 rowEnd = (m_outRow + 1) * qint64(m_source.height());
        const quint32 part = quint32(std::min(end, rowEnd) - begin);
        quint32* tall = m_tall.data();
        const quint16* narrowed = m_narrow.data();
        for (size_t i = 0; i < m_tall.size(); ++i)
            tall[i] += quint32(narrowed[i]) * part;
        begin += part;
        if (begin == rowEnd && !flush())
            return false;
    }
    ++m_sourceRow;
    return true;
}

bool BoxReducer::flush()
{
    const float scale = 1.0f / (256.0f * float(m_source.height()));
    uchar* out = m_out.data();
    const quint32* tall = m_tall.data();
    const int width = m_target.width();
    for (int x = 0; x < width; ++x, out += 4, tall += kChannels) {
        for (int c = 0; c < kChannels; ++c)
            out[c] = uchar(std::min(255.0f, float(tall[c]) * scale + 0.5f));
    }
    std::fill(m_tall.begin(), m_tall.end(), 0);
    ++m_outRow;
    return m_rows(m_out.data());
}
