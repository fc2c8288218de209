#include "ui/ChartClock.h"

#include <chrono>

namespace gcs {

ChartClock::ChartClock(QObject* parent)
    : QObject(parent)
{ }

double ChartClock::now() const
{
    return m_source ? m_source() : monotonicSeconds();
}

void ChartClock::setSource(Source source)
{
    m_source = std::move(source);
    emit sourceChanged();
}

void ChartClock::setPaced(bool paced)
{
    if (paced == m_paced)
        return;
    m_paced = paced;
    emit pacedChanged();
}

void ChartClock::tick()
{
    if (++m_ticks % kTicksPerFrame == 0)
        emit frame();
}

double ChartClock::monotonicSeconds()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

} // namespace gcs
