// Communication log of the controller.
//
// The log's switches are complete; rendering received and sent data, clearing and
// saving are not part of this build yet (saving and clearing report that through
// lastError).

#include "app/Application.h"

namespace gcs {

bool Application::insRawLogViewActive() const
{
    return m_currentNav == QLatin1String("raw") || m_currentNav == QLatin1String("console");
}

void Application::setLogHexMode(bool on)
{
    if (on == m_log.hexMode)
        return;
    flushInsLogBatch(true);
    m_log.hexMode = on;
    emit logHexModeChanged();
    emit logChanged();
}

void Application::setLogPaused(bool paused)
{
    if (paused == m_log.paused)
        return;
    m_log.paused = paused;
    emit logPausedChanged();
}

void Application::flushInsLogBatch(bool /*force*/)
{
    // Nothing is captured yet, so there is nothing to render.
}

void Application::appendLogOnePacket(const QByteArray& /*frame*/)
{
    // Received messages are not logged yet.
}

bool Application::saveLog(const QString& /*path*/)
{
    return reportUnavailable("saveLog");
}

void Application::clearLog()
{
    reportUnavailable("clearLog");
}

} // namespace gcs
