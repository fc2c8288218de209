#pragma once

#include <QFutureWatcher>
#include <QObject>

#include <atomic>
#include <functional>
#include <memory>

namespace gcs {

/// What the window's file workers (the capture export, the noise analysis) share: one piece
/// of work at a time on the global thread pool, with a cancel flag it looks at and a
/// progress it reports from 0 to 1. The progress comes back to this object's thread at most
/// once per thousandth, and the work's result is handed over there. Work launched while
/// other work runs cancels that and starts once it has stopped; destroying the object
/// cancels the work and waits for it.
class BackgroundTask : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool busy READ busy NOTIFY busyChanged)
    /// 0 to 1.
    Q_PROPERTY(double progress READ progress NOTIFY progressChanged)
public:
    /// Called by the work on its own thread with the share done, 0 to 1.
    using Progress = std::function<void(double done)>;

    ~BackgroundTask() override;

    bool busy() const { return m_busy; }
    double progress() const { return m_permille / 1000.0; }
    /// Stops the running work at its next look at the flag, and drops work waiting for it.
    Q_INVOKABLE void cancel();

signals:
    /// Also when work is launched behind the running one.
    void busyChanged();
    void progressChanged();

protected:
    explicit BackgroundTask(QObject* parent);

    /// Runs work(cancel, progress) on the pool; once it returns, busy turns false and
    /// done(result) runs on this object's thread, unless other work was launched meanwhile.
    /// The work must not touch this object.
    template<typename Work, typename Done> void launch(Work work, Done done)
    {
        start([work, done](const std::atomic_bool* cancel, const Progress& progress) {
            return std::function<void()>(
                [done, result = work(cancel, progress)]() mutable { done(std::move(result)); });
        });
    }

private:
    /// Work that hands back what is to run on this object's thread once it is done.
    using Job = std::function<std::function<void()>(const std::atomic_bool* cancel,
                                                    const Progress& progress)>;

    void start(Job job);
    void onFinished();
    void setPermille(int permille);

    QFutureWatcher<std::function<void()>> m_watcher;
    std::shared_ptr<std::atomic_bool> m_cancel;
    /// Work launched while the previous one was still stopping.
    Job m_next;
    bool m_busy = false;
    int m_permille = 0;
};

} // namespace gcs
