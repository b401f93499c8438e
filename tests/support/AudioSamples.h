#pragma once

#include <QByteArray>

// Audio files written byte by byte, so that the tests need no encoder and no sample files.
namespace audiosamples {

// A RIFF WAVE file of `ms` milliseconds of silence: PCM, mono, 16 bits, 8000 Hz.
QByteArray silentWav(int ms);
// `frames` frames of MPEG-1 Layer III, 128 kbit/s, 44.1 kHz, mono, no CRC and no padding,
// each 417 bytes holding silence (no bits of main data). A frame plays 1152 samples.
QByteArray silentMp3(int frames);

} // namespace audiosamples
