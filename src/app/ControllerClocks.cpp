#include "app/ControllerClocks.h"

namespace gcs {

ControllerClocks::ControllerClocks(std::unique_ptr<TimeSource> time)
    : m_time(time ? std::move(time) : TimeSource::system())
{ }

ControllerClocks::~ControllerClocks() = default;

QString ControllerClocks::hmsText(qint64 totalSeconds)
{
    const qint64 s = qMax<qint64>(0, totalSeconds);
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600, 2, 10, QLatin1Char('0'))
        .arg((s / 60) % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

void ControllerClocks::startUptime()
{
    m_uptimeStart = m_time->monotonicMs();
}

QString ControllerClocks::runTimeText() const
{
    return hmsText((m_time->monotonicMs() - m_uptimeStart) / 1000);
}

QString ControllerClocks::computerTime() const
{
    return m_time->localNow().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

bool ControllerClocks::startStopwatch()
{
    if (m_stopwatchRunning)
        return false;
    m_stopwatchStart = m_time->monotonicMs();
    m_stopwatchRunning = true;
    return true;
}

void ControllerClocks::resetStopwatch()
{
    m_stopwatchRunning = false;
}

QString ControllerClocks::stopwatchText() const
{
    return hmsText(m_stopwatchRunning ? (m_time->monotonicMs() - m_stopwatchStart) / 1000 : 0);
}

void ControllerClocks::setTriggerRemaining(int seconds)
{
    m_triggerRemaining = qMax(0, seconds);
}

void ControllerClocks::countDownTrigger()
{
    if (m_triggerRemaining > 0)
        --m_triggerRemaining;
}

QString ControllerClocks::triggerText() const
{
    return hmsText(m_triggerRemaining);
}

} // namespace gcs
