#pragma once

#include <QSize>
#include <QtGlobal>

#include <functional>
#include <vector>

// Averages a picture down to a smaller size as its rows come, holding two rows' sums and
// never the picture: each output pixel is the exact area mean of the source pixels it
// covers. Rows are 4 bytes a pixel, blue, green, red and an unused byte (QImage's RGB32 on
// a little-endian machine, libjpeg's BGRX); the unused byte of every output pixel is 0xff.
class BoxReducer
{
public:
    // Receives the finished output rows, top to bottom; false stops the reduction.
    using Rows = std::function<bool(const uchar* line)>;

    // `target` must be no larger than `source` on either side.
    BoxReducer(const QSize& source, const QSize& target, Rows rows);

    // Whether these sizes can be reduced: both valid, no growth, and sums that fit.
    static bool canReduce(const QSize& source, const QSize& target);

    // The next source row, `source.width()` pixels. False once the receiver said stop.
    bool add(const uchar* line);

private:
    void narrow(const uchar* line);
    bool flush();

    QSize m_source;
    QSize m_target;
    Rows m_rows;
    // Per source column: the output column it starts in and its share of that column, in
    // units where a source pixel is target-width wide; the rest goes to the next column.
    std::vector<int> m_column;
    std::vector<quint32> m_share;
    std::vector<quint32> m_wide;   // one source row's sums per output column and channel
    std::vector<quint16> m_narrow; // that row narrowed, 8.8 fixed point
    std::vector<quint32> m_tall;   // the current output row's sums
    std::vector<uchar> m_out;
    qint64 m_sourceRow = 0;
    qint64 m_outRow = 0;
};
