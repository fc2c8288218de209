#include "capture/BackgroundTask.h"

#include <QPointer>
#include <QtConcurrent/QtConcurrentRun>

#include <utility>

namespace gcs {

BackgroundTask::BackgroundTask(QObject* parent)
    : QObject(parent)
{
    connect(&m_watcher, &QFutureWatcher<std::function<void()>>::finished, this,
            &BackgroundTask::onFinished);
}

BackgroundTask::~BackgroundTask()
{
    cancel();
    m_watcher.waitForFinished();
}

void BackgroundTask::cancel()
{
    m_next = nullptr;
    if (m_busy)
        m_cancel->store(true);
}

void BackgroundTask::start(Job job)
{
    if (m_busy) {
        // The running work stops first; its end starts this.
        m_next = std::move(job);
        m_cancel->store(true);
        emit busyChanged();
        return;
    }
    m_cancel = std::make_shared<std::atomic_bool>(false);
    m_busy = true;
    m_permille = 0;
    emit busyChanged();
    emit progressChanged();

    // Each permille once, applied on this thread, and dropped should this object be gone.
    const QPointer<BackgroundTask> guard(this);
    auto posted = std::make_shared<std::atomic_int>(-1);
    const Progress progress = [guard, posted](double done) {
        const int permille = int(qBound(0.0, done, 1.0) * 1000.0);
        if (posted->exchange(permille) == permille)
            return;
        QMetaObject::invokeMethod(
            guard.data(),
            [guard, permille]() {
                if (guard)
                    guard->setPermille(permille);
            },
            Qt::QueuedConnection);
    };
    m_watcher.setFuture(QtConcurrent::run([job = std::move(job), cancel = m_cancel, progress]() {
        return job(cancel.get(), progress);
    }));
}

void BackgroundTask::setPermille(int permille)
{
    if (!m_busy || permille == m_permille)
        return;
    m_permille = permille;
    emit progressChanged();
}

void BackgroundTask::onFinished()
{
    m_busy = false;
    if (m_next) {
        start(std::exchange(m_next, nullptr));
        return;
    }
    // The result is in place before busy is told, so that nothing sees a finished task
    // without it.
    m_watcher.result()();
    if (!m_busy)
        emit busyChanged();
}

} // namespace gcs
