#pragma once

#include "Picture.h"

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <QThreadPool>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

// Reduces JPEG photos to the pixels their sheets need and compresses them for a PDF, on
// worker threads, while the pages are laid out. The page gets a small stand-in picture in
// each photo's place, marked with the photo's number; once the PDF is written, its stand-ins
// are swapped for the prepared photos (PdfPictureSwap).
//
// Two workers keep both cores busy. Each reads its photo itself, so that no photo waits in
// memory for its turn, and decodes it only when the decoder's memory fits beside the other
// worker's: a progressive photo, whose coefficients libjpeg holds whole, runs alone.
class PreparedJpegs
{
public:
    // What the decoders may hold at once.
    static constexpr qint64 kDecoderBudget = 96LL * 1024 * 1024;

    struct Prepared
    {
        int face = -1;
        QSize size;      // pixels
        QByteArray jpeg; // empty when the photo could no longer be read or decoded
    };

    explicit PreparedJpegs(int workers = 2);
    ~PreparedJpegs(); // waits for the workers

    PreparedJpegs(const PreparedJpegs&) = delete;
    PreparedJpegs& operator=(const PreparedJpegs&) = delete;

    // Whether `picture` is a photo this can prepare.
    static bool canPrepare(const platform::Picture& picture);
    // Starts preparing the photo in `file` (of `face`) at `size` and returns the stand-in to
    // draw in its place. A face's photo at the same size is prepared once, with one stand-in.
    platform::Picture prepare(int face, const QString& file, const QSize& size);

    // Waits for every photo; the results, by stand-in number.
    const std::vector<Prepared>& results();

    // The stand-in for number `id` (0…255), and the number a decoded stand-in shows (-1
    // for any other picture, however it was compressed).
    static QImage marker(int id);
    static int markerId(const QImage& image);

private:
    struct Slot;
    void work(Slot& slot);
    void acquire(qint64 bytes);
    void release(qint64 bytes);

    std::vector<std::shared_ptr<Slot>> m_slots;
    std::vector<Prepared> m_results;
    std::mutex m_mutex;
    std::condition_variable m_freed;
    qint64 m_budgetLeft = kDecoderBudget;
    QThreadPool m_pool; // last: its threads end before the rest goes
};
