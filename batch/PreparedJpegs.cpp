#include "PreparedJpegs.h"

#include "JpegEncoder.h"
#include "LeanJpegDecoder.h"

namespace {

// A stand-in is 16 x 16 pixels of 4 x 4 cells, each black or white: eight cells spell a
// signature and eight the number. Cells this large come through any JPEG quality.
constexpr int kCell = 4;
constexpr int kCells = 4;
constexpr quint16 kSignature = 0xa6;

quint16 pattern(int id)
{
    return quint16((kSignature << 8) | (id & 0xff));
}

} // namespace

struct PreparedJpegs::Slot
{
    // Set before the worker starts, and then only read.
    int face = -1;
    QSize size;
    QString file;
    platform::Picture standIn;
    // The worker's alone until it ends.
    Prepared result;
};

PreparedJpegs::PreparedJpegs(int workers)
{
    m_pool.setMaxThreadCount(qMax(1, workers));
}

PreparedJpegs::~PreparedJpegs()
{
    m_pool.waitForDone();
}

bool PreparedJpegs::canPrepare(const platform::Picture& picture)
{
    if (picture.kind() != platform::Picture::Kind::Bitmap ||
        picture.formatName() != QLatin1String("jpeg"))
        return false;
    return LeanJpegDecoder::header(picture.fileBytes()).readable;
}

platform::Picture PreparedJpegs::prepare(int face, const QString& file, const QSize& size)
{
    for (const std::shared_ptr<Slot>& slot : m_slots) {
        // A face's file is one photo for the run: the CD face on several labels is the same.
        if (slot->face == face && slot->size == size)
            return slot->standIn;
    }
    if (m_slots.size() > 255)
        return platform::Picture(); // more photos than a sheet ever holds
    auto slot = std::make_shared<Slot>();
    slot->face = slot->result.face = face;
    slot->size = slot->result.size = size;
    slot->file = file;
    slot->standIn = platform::Picture::fromImage(marker(int(m_slots.size())));
    m_slots.push_back(slot);
    m_pool.start([this, slot] { work(*slot); });
    return slot->standIn;
}

void PreparedJpegs::work(Slot& slot)
{
    // Read again here, and checked as any picture is: the file may have changed since the
    // page was laid out.
    const platform::Picture picture = platform::Picture::fromFile(slot.file);
    if (picture.isNull())
        return;
    const QByteArray bytes = picture.fileBytes();
    const LeanJpegDecoder::Header header = LeanJpegDecoder::header(bytes);
    // A turned photo is held once at its reduced size while it is compressed turned; one
    // this decoder cannot read goes to Qt's, whose needs are not known here, and so runs
    // alone.
    const qint64 reduced = qint64(slot.size.width()) * slot.size.height() * 4;
    const qint64 held = !header.readable
                            ? kDecoderBudget
                            : std::min(header.decoderBytes + (header.turned() ? reduced : 0),
                                       kDecoderBudget);
    acquire(held);
    // From the decoder's rows straight into the compressor's.
    JpegEncoder encoder(slot.size, JpegEncoder::kPrintQuality);
    if (header.readable &&
        LeanJpegDecoder::reduce(bytes, slot.size, header.turn,
                                [&encoder](const uchar* line) { return encoder.add(line); }))
        slot.result.jpeg = encoder.finish();
    if (slot.result.jpeg.isEmpty()) {
        // One the lean decoder gives up on goes the codec's way, as a picture of any other
        // kind does.
        const QImage image = picture.scaledImage(slot.size);
        if (!image.isNull())
            slot.result.jpeg = JpegEncoder::encode(image, JpegEncoder::kPrintQuality);
    }
    release(held);
}

void PreparedJpegs::acquire(qint64 bytes)
{
    std::unique_lock lock(m_mutex);
    m_freed.wait(lock, [this, bytes] { return m_budgetLeft >= bytes; });
    m_budgetLeft -= bytes;
}

void PreparedJpegs::release(qint64 bytes)
{
    {
        const std::lock_guard lock(m_mutex);
        m_budgetLeft += bytes;
    }
    m_freed.notify_all();
}

const std::vector<PreparedJpegs::Prepared>& PreparedJpegs::results()
{
    m_pool.waitForDone();
    if (m_results.size() != m_slots.size()) {
        m_results.clear();
        for (const std::shared_ptr<Slot>& slot : m_slots)
            m_results.push_back(slot->result);
    }
    return m_results;
}

QImage PreparedJpegs::marker(int id)
{
    const quint16 bits = pattern(id);
    QImage image(kCell * kCells, kCell * kCells, QImage::Format_RGB32);
    for (int cell = 0; cell < kCells * kCells; ++cell) {
        const QRgb colour = bits & (1 << cell) ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
        const int left = (cell % kCells) * kCell;
        const int top = (cell / kCells) * kCell;
        for (int y = top; y < top + kCell; ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            std::fill(line + left, line + left + kCell, colour);
        }
    }
    return image;
}

int PreparedJpegs::markerId(const QImage& image)
{
    if (image.size() != QSize(kCell * kCells, kCell * kCells))
        return -1;
    quint16 bits = 0;
    for (int cell = 0; cell < kCells * kCells; ++cell) {
        const int left = (cell % kCells) * kCell;
        const int top = (cell / kCells) * kCell;
        // The middle of the cell, away from the ringing at its edges; each pixel must agree.
        int white = 0;
        for (int y = top + 1; y < top + kCell - 1; ++y) {
            for (int x = left + 1; x < left + kCell - 1; ++x) {
                const int grey = qGray(image.pixel(x, y));
                if (grey > 96 && grey < 160)
                    return -1;
                white += grey >= 160;
            }
        }
        if (white != 0 && white != 4)
            return -1;
        if (white)
            bits |= quint16(1 << cell);
    }
    return (bits >> 8) == kSignature ? bits & 0xff : -1;
}
