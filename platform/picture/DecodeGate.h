#pragma once

#include <QMutex>
#include <QWaitCondition>

#include <mutex>

namespace platform {

// Bounds the memory that picture decodes hold at once across the process. The faces of a
// set decode side by side on worker threads; four large pictures decoded together could
// otherwise hold several times what one needs. A decode asks for a ticket of the bytes it
// will hold and waits while others hold the rest of the budget; one larger than the whole
// budget runs alone.
class DecodeGate
{
public:
    static constexpr qint64 BudgetBytes = 512LL * 1024 * 1024;

    class Ticket
    {
    public:
        explicit Ticket(qint64 bytes);
        ~Ticket();
        Ticket(const Ticket&) = delete;
        Ticket& operator=(const Ticket&) = delete;

    private:
        qint64 m_bytes;
    };

    // Bytes held by the tickets that are out now (tests).
    static qint64 heldBytes();

    // The metafile libraries (libwmf, libemf2svg) are not known to be thread-safe: their
    // conversions, on whatever thread, take turns under this lock.
    static std::mutex& metafileLibraries();

private:
    friend class Ticket;
    static DecodeGate& instance();
    void acquire(qint64 bytes);
    void release(qint64 bytes);

    QMutex m_mutex;
    QWaitCondition m_released;
    qint64 m_held = 0;
    std::mutex m_metafileLibraries;
};

} // namespace platform
