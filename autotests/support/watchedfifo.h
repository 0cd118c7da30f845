// A fifo for tests of code that must not wait on one.
#ifndef WATCHEDFIFO_H
#define WATCHEDFIFO_H

#include <QFile>
#include <QString>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace PexoTest {
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
} // namespace PexoTest

#endif
