#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>

namespace gcs::test {

/// A relay between two pty ends, on a thread of its own, that passes every chunk through a
/// filter: the place to damage, drop, repeat or hold back bytes between two YModem peers.
class FaultRelay
{
public:
    enum Direction { TowardsEngine = 0, TowardsPeer = 1 };
    /// Runs on the relay thread for every chunk read; returns the bytes to pass on.
    using Filter = std::function<QByteArray(Direction, const QByteArray&)>;

    FaultRelay() = default;
    ~FaultRelay();
    FaultRelay(const FaultRelay&) = delete;
    FaultRelay& operator=(const FaultRelay&) = delete;

    bool start(const QString& engineSide, const QString& peerSide, Filter filter);
    void stop();
    /// Queues bytes to be written in one direction (any thread).
    void inject(Direction direction, const QByteArray& bytes);
    /// While stalled nothing passes in either direction; what arrives is thrown away.
    void setStalled(bool stalled) { m_stalled = stalled; }
    qint64 passed(Direction direction) const { return m_passed[direction]; }

private:
    void run();
    bool writeAll(int fd, const QByteArray& bytes);

    int m_fd[2] = { -1, -1 }; ///< [TowardsEngine] writes to the engine's side
    Filter m_filter;
    std::thread m_thread;
    std::atomic<bool> m_stop { false };
    std::atomic<bool> m_stalled { false };
    std::atomic<qint64> m_passed[2] = { 0, 0 };
    std::mutex m_injectLock;
    QByteArray m_injected[2];
};

} // namespace gcs::test
