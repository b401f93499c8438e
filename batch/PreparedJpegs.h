#pragma once

#include "Picture.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>
#include <QThreadPool>

#include <memory>
#include <vector>

// Reduces JPEG photos to the pixels their sheets need and compresses them for a PDF, on
// worker threads, while the pages are laid out. The page gets a small stand-in picture in
// each photo's place, marked with the photo's number; once the PDF is written, its stand-ins
// are swapped for the prepared photos (PdfPictureSwap). Two workers keep both cores busy
// while only two photos are ever being decoded, so memory stays that of one sheet.
class PreparedJpegs
{
public:
    struct Prepared
    {
        int face = -1;
        QSize size;      // pixels
        QByteArray jpeg; // empty when the photo could not be decoded after all
    };

    explicit PreparedJpegs(int workers = 2);
    ~PreparedJpegs(); // waits for the workers

    PreparedJpegs(const PreparedJpegs&) = delete;
    PreparedJpegs& operator=(const PreparedJpegs&) = delete;

    // Whether `picture` is a photo this can prepare.
    static bool canPrepare(const platform::Picture& picture);
    // Starts preparing `picture` (of `face`) at `size` and returns the stand-in to draw in
    // its place. A face's photo at the same size is prepared once, with one stand-in.
    platform::Picture prepare(int face, const platform::Picture& picture, const QSize& size);

    // Waits for every photo; the results, by stand-in number.
    const std::vector<Prepared>& results();

    // The stand-in for number `id` (0…255), and the number a decoded stand-in shows (-1
    // for any other picture, however it was compressed).
    static QImage marker(int id);
    static int markerId(const QImage& image);

private:
    struct Slot;
    QThreadPool m_pool;
    std::vector<std::shared_ptr<Slot>> m_slots;
    std::vector<Prepared> m_results;
};
