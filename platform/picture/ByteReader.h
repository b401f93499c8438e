#pragma once

#include <QByteArray>

#include <cstring>

namespace platform {

// Bounds-checked reads of little- and big-endian numbers from a file's bytes. Callers ask
// has() before reading; the walks over picture structures built on it only move forward,
// so each ends within the file's length.
class ByteReader
{
public:
    explicit ByteReader(const QByteArray& bytes)
        : m_data(reinterpret_cast<const uchar*>(bytes.constData())), m_size(bytes.size())
    {
    }

    qint64 size() const { return m_size; }
    bool has(qint64 at, qint64 count) const
    {
        return at >= 0 && count >= 0 && at <= m_size && count <= m_size - at;
    }
    uchar at(qint64 i) const { return m_data[i]; }
    quint32 le16(qint64 i) const { return m_data[i] | m_data[i + 1] << 8; }
    quint32 le32(qint64 i) const { return le16(i) | le16(i + 2) << 16; }
    qint32 le16s(qint64 i) const { return qint16(le16(i)); }
    qint32 le32s(qint64 i) const { return qint32(le32(i)); }
    quint32 be16(qint64 i) const { return m_data[i] << 8 | m_data[i + 1]; }
    quint32 be32(qint64 i) const { return be16(i) << 16 | be16(i + 2); }
    bool startsWith(qint64 i, const char* text) const
    {
        const auto length = qint64(std::strlen(text));
        return has(i, length) && std::memcmp(m_data + i, text, size_t(length)) == 0;
    }
    // Position of the next 0xFF at or after `from`, or -1.
    qint64 nextFF(qint64 from) const
    {
        if (from < 0 || from >= m_size)
            return -1;
        const void* hit = std::memchr(m_data + from, 0xFF, size_t(m_size - from));
        return hit ? static_cast<const uchar*>(hit) - m_data : -1;
    }

private:
    const uchar* m_data;
    qint64 m_size;
};

} // namespace platform
