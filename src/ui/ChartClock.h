#pragma once

#include <QObject>

#include <functional>

namespace gcs {

/// The time base of the live charts, in seconds. By default a monotonic clock; a data
/// source with a time base of its own (a replayed recording) sets its position as the
/// source, and every chart given this clock then scrolls on that time instead of the
/// computer's. The records the charts plot are stamped on the same clock, so the newest
/// sample sits at the right edge whatever drives the time.
class ChartClock : public QObject
{
    Q_OBJECT
public:
    using Source = std::function<double()>;

    explicit ChartClock(QObject* parent = nullptr);

    /// Seconds on the current source.
    Q_INVOKABLE double now() const;

    /// A null source goes back to the monotonic clock. Charts forget their samples on a
    /// change, since times of the old source mean nothing on the new one.
    void setSource(Source source);

    /// Seconds of the process-wide monotonic clock (std::chrono::steady_clock), the
    /// default of every data clock, so that the charts and the INS bridge agree without
    /// sharing an object.
    static double monotonicSeconds();

signals:
    void sourceChanged();

private:
    Source m_source;
};

} // namespace gcs
