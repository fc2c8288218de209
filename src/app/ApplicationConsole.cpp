// Communication log of the controller: the QML side of the ConsoleLog it owns.
//
// Outside the raw-data view every change is announced with logAppended and logChanged.
// While that view is shown, received bytes arrive in 200 ms batches and the view follows
// through logAppended alone; logChanged comes with each batch.

#include "app/Application.h"

#include <QDir>
#include <QTimer>

namespace gcs {

bool Application::insRawLogViewActive() const
{
    return m_currentNav == QLatin1String("raw") || m_currentNav == QLatin1String("console");
}

void Application::commitLog(const QString& text)
{
    const QString added = m_log.commit(text);
    if (added.isEmpty())
        return;
    emit logAppended(added);
    if (!insRawLogViewActive())
        emit logChanged();
}

void Application::appendLogOnePacket(const QByteArray& frame)
{
    const QString added = m_log.appendOnePacket(frame, m_clocks.localNow());
    if (added.isEmpty())
        return;
    emit logAppended(added);
    if (!insRawLogViewActive())
        emit logChanged();
}

void Application::appendCommandTrace(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return;
    const QString added = m_log.appendCommandTrace(bytes, m_clocks.localNow());
    if (!added.isEmpty())
        emit logAppended(added);
    if (!insRawLogViewActive())
        emit logChanged();
    // The send counters of the status bar moved.
    emit statsTick();
}

void Application::appendInsRawLog(const QByteArray& bytes)
{
    m_log.takeReceived(bytes, insRawLogViewActive());
}

void Application::flushInsLogBatch(bool force)
{
    const ConsoleLog::Flush flush = m_log.flushRawBatch(force, m_clocks.localNow());
    if (!flush.took)
        return;
    if (!flush.appended.isEmpty())
        emit logAppended(flush.appended);
    emit logChanged();
    if (flush.more && !m_logDrainQueued) {
        m_logDrainQueued = true;
        QTimer::singleShot(0, this, [this]() {
            m_logDrainQueued = false;
            flushInsLogBatch(false);
        });
    }
}

void Application::setLogHexMode(bool on)
{
    if (on == m_log.hexMode())
        return;
    flushInsLogBatch(true);
    m_log.setHexMode(on);
    if (insRawLogViewActive()) {
        emit logSynced(m_log.text());
        emit logChanged();
    }
    emit logHexModeChanged();
    emit logChanged();
}

void Application::setLogPaused(bool paused)
{
    if (m_log.setPaused(paused))
        emit logPausedChanged();
}

void Application::clearLog()
{
    m_log.clear();
    emit logViewCleared();
    emit logChanged();
}

bool Application::saveLog(const QString& path)
{
    QString why;
    if (!m_log.save(path, &why)) {
        setError(tr("无法保存日志：%1（%2）").arg(QDir::toNativeSeparators(path), why));
        return false;
    }
    return true;
}

} // namespace gcs
