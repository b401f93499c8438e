#include "AudioSamples.h"

#include <QtEndian>

namespace audiosamples {
namespace {

void put16(QByteArray& out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void put32(QByteArray& out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

} // namespace

QByteArray silentWav(int ms)
{
    constexpr quint32 rate = 8000;
    const quint32 data = quint32(qint64(rate) * ms / 1000) * 2;
    QByteArray wav("RIFF");
    put32(wav, 36 + data);
    wav += "WAVEfmt ";
    put32(wav, 16);
    put16(wav, 1); // PCM
    put16(wav, 1); // mono
    put32(wav, rate);
    put32(wav, rate * 2); // bytes a second
    put16(wav, 2);        // bytes a sample
    put16(wav, 16);       // bits a sample
    wav += "data";
    put32(wav, data);
    return wav + QByteArray(qsizetype(data), '\0');
}

QByteArray silentMp3(int frames)
{
    // 144 * 128000 / 44100 bytes a frame, rounded down as a frame without padding is.
    QByteArray frame(417, '\0');
    frame[0] = char(0xFF); // frame sync
    frame[1] = char(0xFB); // sync, MPEG-1, Layer III, no CRC
    frame[2] = char(0x90); // 128 kbit/s, 44.1 kHz, no padding
    frame[3] = char(0xC0); // mono
    return frame.repeated(frames);
}

} // namespace audiosamples
