#include "app/TimeSource.h"

#include <QElapsedTimer>

namespace gcs {

namespace {

class SystemTimeSource final : public TimeSource
{
public:
    SystemTimeSource() { m_timer.start(); }
    qint64 monotonicMs() const override { return m_timer.elapsed(); }
    QDateTime localNow() const override { return QDateTime::currentDateTime(); }

private:
    QElapsedTimer m_timer;
};

} // namespace

TimeSource::~TimeSource() = default;

std::unique_ptr<TimeSource> TimeSource::system()
{
    return std::make_unique<SystemTimeSource>();
}

} // namespace gcs
