// Writes small PCM WAV files for the playback tests.
#ifndef WAVFILE_H
#define WAVFILE_H

#include <pexotestsupport.h>

#include <QByteArray>
#include <QtEndian>

#include <cmath>

namespace SoundTest {
// A mono 16-bit 8 kHz tone of the given length.
inline bool writeWav(const QString &path, int milliseconds)
{
    const int rate = 8000;
    const int samples = rate * milliseconds / 1000;
    QByteArray pcm(samples * 2, Qt::Uninitialized);
    for (int i = 0; i < samples; ++i) {
        const auto value = static_cast<qint16>(8000 * std::sin(2 * M_PI * 440 * i / rate));
        qToLittleEndian<qint16>(value, pcm.data() + 2 * i);
    }
    QByteArray wav;
    const auto u32 = [&wav](quint32 v) {
        char b[4];
        qToLittleEndian<quint32>(v, b);
        wav.append(b, 4);
    };
    const auto u16 = [&wav](quint16 v) {
        char b[2];
        qToLittleEndian<quint16>(v, b);
        wav.append(b, 2);
    };
    wav.append("RIFF");
    u32(36 + pcm.size());
    wav.append("WAVEfmt ");
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    wav.append("data");
    u32(pcm.size());
    wav.append(pcm);
    return PexoTest::writeFile(path, wav);
}
} // namespace SoundTest

#endif
