// Writes small PCM WAV files and fifos for the sound tests.
#ifndef WAVFILE_H
#define WAVFILE_H

#include <pexotestsupport.h>

#include <QDataStream>
#include <QFile>

#include <atomic>
#include <chrono>
#include <cmath>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

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
// A fifo that tells whether anyone opened it to read. Whoever does is let go
// at once, with nothing to read, instead of waiting for a writer.
class WatchedFifo
{
public:
    explicit WatchedFifo(const QString &path)
        : m_path(QFile::encodeName(path))
        , m_made(::mkfifo(m_path.constData(), 0600) == 0)
        , m_watcher([this] {
            while (!m_done) {
                const int writer = ::open(m_path.constData(), O_WRONLY | O_NONBLOCK);
                if (writer >= 0) {
                    m_read = true;
                    ::close(writer);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        })
    {
    }
    ~WatchedFifo()
    {
        m_done = true;
        m_watcher.join();
        ::unlink(m_path.constData());
    }
    bool made() const
    {
        return m_made;
    }
    bool wasRead() const
    {
        return m_read;
    }

private:
    const QByteArray m_path;
    const bool m_made;
    std::atomic<bool> m_done{false};
    std::atomic<bool> m_read{false};
    std::thread m_watcher;
};
} // namespace SoundTest

#endif
