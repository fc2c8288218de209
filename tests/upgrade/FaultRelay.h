#pragma once

#include <QByteArray>
#include <QFile>

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace gcs::test {

/// A relay between two pty ends, on a thread of its own, that passes every chunk through a
/// filter: the place to damage, drop, repeat or hold back bytes between two YModem peers.
class FaultRelay
{
public:
    enum Direction { TowardsEngine = 0, TowardsPeer = 1 };
    /// Runs on the relay thread for every chunk read; returns the bytes to pass on.
    using Filter = std::function<QByteArray(Direction, const QByteArray&)>;

    ~FaultRelay()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        for (const int fd : m_fd)
            ::close(fd);
    }
    bool start(const QString& engineSide, const QString& peerSide, Filter filter)
    {
        m_fd[TowardsEngine] = openRaw(engineSide);
        m_fd[TowardsPeer] = openRaw(peerSide);
        m_filter = std::move(filter);
        if (m_fd[0] >= 0 && m_fd[1] >= 0)
            m_thread = std::thread([this] { run(); });
        return m_thread.joinable();
    }
    /// Bytes to write in one direction besides what passes; called from the filter.
    void inject(Direction direction, const QByteArray& bytes) { m_injected[direction] += bytes; }
    /// While stalled nothing passes in either direction; what arrives is thrown away.
    void setStalled(bool stalled) { m_stalled = stalled; }

private:
    static int openRaw(const QString& path)
    {
        const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        termios t {};
        if (fd >= 0 && tcgetattr(fd, &t) == 0) {
            cfmakeraw(&t);
            tcsetattr(fd, TCSANOW, &t);
        }
        return fd;
    }
    void writeAll(int fd, const QByteArray& bytes)
    {
        for (qsizetype done = 0; done < bytes.size() && !m_stop;) {
            const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
            if (n < 0 && errno != EAGAIN)
                return;
            done += qMax<ssize_t>(n, 0);
            pollfd p { fd, POLLOUT, 0 };
            ::poll(&p, 1, n > 0 ? 0 : 10);
        }
    }
    void run()
    {
        char buf[4096];
        while (!m_stop) {
            // What is read from the engine's side goes towards the peer, and the other way.
            pollfd fds[2]
                = { { m_fd[TowardsEngine], POLLIN, 0 }, { m_fd[TowardsPeer], POLLIN, 0 } };
            const int ready = ::poll(fds, 2, 10);
            for (int side = 0; ready > 0 && side < 2; ++side) {
                const ssize_t n = fds[side].revents ? ::read(fds[side].fd, buf, sizeof buf) : 0;
                const Direction to = side == TowardsEngine ? TowardsPeer : TowardsEngine;
                if (n < 0 && (fds[side].revents & (POLLHUP | POLLERR)))
                    ::usleep(5000); // that end is gone for now; do not spin on it
                else if (n > 0 && !m_stalled)
                    writeAll(m_fd[to], m_filter(to, QByteArray(buf, int(n))));
            }
            for (const Direction to : { TowardsEngine, TowardsPeer })
                writeAll(m_fd[to], std::exchange(m_injected[to], QByteArray()));
        }
    }

    int m_fd[2] = { -1, -1 }; ///< [TowardsEngine] writes to the engine's side
    Filter m_filter;
    std::thread m_thread;
    std::atomic<bool> m_stop { false };
    std::atomic<bool> m_stalled { false };
    QByteArray m_injected[2];
};

} // namespace gcs::test
