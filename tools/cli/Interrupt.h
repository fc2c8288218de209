#pragma once

#include "discovery/ProbeCancel.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include <csignal>
#include <functional>

namespace cli {

/// Ctrl-C (SIGINT, or SIGTERM) for a subcommand: while an object lives, the signals set
/// its flag, which a probe takes as its cancel flag (it closes its port and returns within
/// a few tens of milliseconds) and a loop polls. The previous handlers come back when it
/// goes.
class Interrupt
{
public:
    /// The exit code of a command stopped this way, as shells report SIGINT.
    static constexpr int kExitCode = 130;

    Interrupt()
    {
        s_target = &m_cancel;
        m_previousInt = std::signal(SIGINT, &onSignal);
        m_previousTerm = std::signal(SIGTERM, &onSignal);
    }
    ~Interrupt()
    {
        std::signal(SIGINT, m_previousInt);
        std::signal(SIGTERM, m_previousTerm);
        s_target = nullptr;
    }
    Interrupt(const Interrupt&) = delete;
    Interrupt& operator=(const Interrupt&) = delete;

    const gcs::ProbeCancel& cancel() const { return m_cancel; }
    bool interrupted() const { return m_cancel.isCancelled(); }

    /// Runs the event loop until done() or the deadline; false when interrupted.
    bool runUntil(const std::function<bool()>& done,
                  QDeadlineTimer deadline = QDeadlineTimer(QDeadlineTimer::Forever)) const
    {
        QEventLoop loop;
        QTimer poll;
        poll.setInterval(20);
        QObject::connect(&poll, &QTimer::timeout, &loop, [&]() {
            if (interrupted() || done() || deadline.hasExpired())
                loop.quit();
        });
        poll.start();
        if (!interrupted() && !done() && !deadline.hasExpired())
            loop.exec();
        return !interrupted();
    }

private:
    static void onSignal(int)
    {
        if (s_target)
            s_target->cancel();
    }

    static inline const gcs::ProbeCancel* s_target = nullptr;
    gcs::ProbeCancel m_cancel;
    void (*m_previousInt)(int) = SIG_DFL;
    void (*m_previousTerm)(int) = SIG_DFL;
};

} // namespace cli
