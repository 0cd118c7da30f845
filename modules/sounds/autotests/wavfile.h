// Writes small PCM WAV files for the playback tests.
#ifndef WAVFILE_H
#define WAVFILE_H

#include <pexotestsupport.h>

#include <QDataStream>

#include <cmath>

namespace SoundTest {
// A mono 16-bit 8 kHz tone of the given length.
inline bool writeWav(const QString &path, int milliseconds)
{
    const quint32 rate = 8000;
    const quint32 samples = rate * milliseconds / 1000;
    QByteArray wav;
    QDataStream out(&wav, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + 2 * samples);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << rate << quint32(2 * rate) << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << quint32(2 * samples);
    for (quint32 i = 0; i < samples; ++i) {
        out << qint16(8000 * std::sin(2 * M_PI * 440 * i / rate));
    }
    return PexoTest::writeFile(path, wav);
}
} // namespace SoundTest

#endif
