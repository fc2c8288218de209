#include "FaultRelay.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace gcs::test {

namespace {

int openRaw(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return -1;
    termios t {};
    if (tcgetattr(fd, &t) == 0) {
        cfmakeraw(&t);
        tcsetattr(fd, TCSANOW, &t);
    }
    return fd;
}

} // namespace

FaultRelay::~FaultRelay()
{
    stop();
}

bool FaultRelay::start(const QString& engineSide, const QString& peerSide, Filter filter)
{
    m_fd[TowardsEngine] = openRaw(engineSide);
    m_fd[TowardsPeer] = openRaw(peerSide);
    if (m_fd[0] < 0 || m_fd[1] < 0)
        return false;
    m_filter = std::move(filter);
    m_stop = false;
    m_thread = std::thread([this] { run(); });
    return true;
}

void FaultRelay::stop()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    for (int& fd : m_fd) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

void FaultRelay::inject(Direction direction, const QByteArray& bytes)
{
    std::lock_guard<std::mutex> lock(m_injectLock);
    m_injected[direction].append(bytes);
}

bool FaultRelay::writeAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size() && !m_stop) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
        } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
            return false;
        } else {
            pollfd p { fd, POLLOUT, 0 };
            ::poll(&p, 1, 10);
        }
    }
    return done == bytes.size();
}

void FaultRelay::run()
{
    char buf[4096];
    while (!m_stop) {
        // What is read from the engine's side goes towards the peer, and the other way.
        pollfd fds[2] = { { m_fd[TowardsEngine], POLLIN, 0 }, { m_fd[TowardsPeer], POLLIN, 0 } };
        const int ready = ::poll(fds, 2, 10);
        for (int side = 0; ready > 0 && side < 2; ++side) {
            if (!(fds[side].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            const ssize_t n = ::read(fds[side].fd, buf, sizeof buf);
            if (n <= 0) {
                if (fds[side].revents & (POLLHUP | POLLERR))
                    ::usleep(5000); // that end is gone for now; do not spin on it
                continue;
            }
            const Direction direction = side == TowardsEngine ? TowardsPeer : TowardsEngine;
            if (m_stalled)
                continue;
            const QByteArray out = m_filter ? m_filter(direction, QByteArray(buf, n))
                                            : QByteArray(buf, n);
            if (writeAll(m_fd[direction], out))
                m_passed[direction] += out.size();
        }
        QByteArray injected[2];
        {
            std::lock_guard<std::mutex> lock(m_injectLock);
            std::swap(injected[0], m_injected[0]);
            std::swap(injected[1], m_injected[1]);
        }
        for (int direction = 0; direction < 2; ++direction) {
            if (!injected[direction].isEmpty())
                writeAll(m_fd[direction], injected[direction]);
        }
    }
}

} // namespace gcs::test
