#pragma once

#include <QObject>
#include <QtQml/qqmlregistration.h>

#include <functional>

namespace gcs {

/// The time base of the live charts, in seconds. By default a monotonic clock; a data
/// source with a time base of its own (a replayed recording) sets its position as the
/// source, and every chart given this clock then scrolls on that time instead of the
/// computer's. The records the charts plot are stamped on the same clock, so the newest
/// sample sits at the right edge whatever drives the time.
///
/// A paced clock also sets when its charts repaint: on frame() only, every kTicksPerFrame
/// ticks of the window's refresh pace (its owner calls tick), so that a fast stream costs
/// no more repaints than a slow one and every chart moves in the same frame.
class ChartClock : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("app.chartClock")
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

    bool paced() const { return m_paced; }
    void setPaced(bool paced);
    /// One tick of the window's pace (20 a second): every second one is a frame, so the
    /// charts scroll 10 times a second, a few pixels a step, for half the painting.
    void tick();
    static constexpr int kTicksPerFrame = 2;

signals:
    void sourceChanged();
    /// Time for the charts of a paced clock to repaint.
    void frame();
    void pacedChanged();

private:
    Source m_source;
    bool m_paced = false;
    int m_ticks = 0;
};

} // namespace gcs
