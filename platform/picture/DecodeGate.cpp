#include "DecodeGate.h"

namespace platform {

DecodeGate& DecodeGate::instance()
{
    static DecodeGate gate;
    return gate;
}

void DecodeGate::acquire(qint64 bytes)
{
    QMutexLocker lock(&m_mutex);
    while (m_held > 0 && m_held + bytes > BudgetBytes)
        m_released.wait(&m_mutex);
    m_held += bytes;
}

void DecodeGate::release(qint64 bytes)
{
    {
        QMutexLocker lock(&m_mutex);
        m_held -= bytes;
    }
    m_released.wakeAll();
}

std::mutex& DecodeGate::metafileLibraries()
{
    return instance().m_metafileLibraries;
}

qint64 DecodeGate::heldBytes()
{
    DecodeGate& gate = instance();
    QMutexLocker lock(&gate.m_mutex);
    return gate.m_held;
}

DecodeGate::Ticket::Ticket(qint64 bytes) : m_bytes(qMax<qint64>(0, bytes))
{
    instance().acquire(m_bytes);
}

DecodeGate::Ticket::~Ticket()
{
    instance().release(m_bytes);
}

} // namespace platform
