#pragma once

#include "ui/ChartClock.h"
#include "ui/ChartRange.h"
#include "ui/ChartSeries.h"

#include <QColor>
#include <QElapsedTimer>
#include <QPointer>
#include <QPolygonF>
#include <QQuickPaintedItem>
#include <QRectF>
#include <QTimer>
#include <QVector>
#include <QtQml/qqmlregistration.h>

#include <vector>

namespace gcs {

/// A scrolling time series: the last windowSec seconds of the samples QML feeds it, with
/// grid lines, value labels at the left and the newest value marked at the right edge.
///
/// QML calls addSampleAt once per decoded record, with the record's own time on the clock
/// the chart is given (addSample stamps it "now"); the window ends at that clock's now.
/// Without a clock the chart runs on the monotonic clock. It keeps at most windowSec * 250
/// samples (never more than 32000).
/// Faster streams are thinned to 250 samples a second as they arrive (keeping the one
/// farthest from its predecessor), so a 1000 Hz stream still fills the whole window
/// instead of its newest quarter; slower ones keep every sample. Drawing reduces the line
/// to its extent per pixel column, so a full two-minute window costs little more to paint
/// than a short one.
///
/// Repaints are coalesced to one per 50 ms and a 40 ms timer scrolls the line while the
/// chart is active and has samples; with reduceMotion both are off and every sample
/// repaints at once instead. On a paced clock the chart repaints on the clock's frame
/// only: every frame while it scrolls, otherwise when something changed (with
/// reduceMotion too). Deactivating the chart clears its history.
class StripChart : public QQuickPaintedItem
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(int windowSec READ windowSec WRITE setWindowSec NOTIFY windowSecChanged)
    Q_PROPERTY(double minSpan READ minSpan WRITE setMinSpan NOTIFY rangeOptionsChanged)
    Q_PROPERTY(bool fixedRange READ fixedRange WRITE setFixedRange NOTIFY rangeOptionsChanged)
    Q_PROPERTY(double fixedMin READ fixedMin WRITE setFixedMin NOTIFY rangeOptionsChanged)
    Q_PROPERTY(double fixedMax READ fixedMax WRITE setFixedMax NOTIFY rangeOptionsChanged)
    Q_PROPERTY(bool active READ active WRITE setActive NOTIFY activeChanged)
    Q_PROPERTY(bool reduceMotion READ reduceMotion WRITE setReduceMotion NOTIFY reduceMotionChanged)
    Q_PROPERTY(QColor lineColor READ lineColor WRITE setLineColor NOTIFY lookChanged)
    Q_PROPERTY(QColor gridColor READ gridColor WRITE setGridColor NOTIFY lookChanged)
    Q_PROPERTY(QColor labelColor READ labelColor WRITE setLabelColor NOTIFY lookChanged)
    Q_PROPERTY(QString fontFamily READ fontFamily WRITE setFontFamily NOTIFY lookChanged)
    Q_PROPERTY(gcs::ChartClock* clock READ clock WRITE setClock NOTIFY clockChanged)

public:
    /// Samples kept per second of window.
    static constexpr int kSamplesPerSecond = 250;
    static constexpr int kMinWindowSec = 1;
    static constexpr int kMaxWindowSec = 120;
    static constexpr int kDefaultWindowSec = 16;
    static constexpr int kCoalesceMs = 50;
    static constexpr int kScrollMs = 40;
    /// Width of the value labels at the left.
    static constexpr int kLabelWidth = 46;

    explicit StripChart(QQuickItem* parent = nullptr);

    int windowSec() const { return m_windowSec; }
    /// Clamped to 1 .. 120 s; the capacity follows and old samples are trimmed at once.
    void setWindowSec(int seconds);
    double minSpan() const { return m_range.minSpan(); }
    void setMinSpan(double span);
    bool fixedRange() const { return m_fixedRange; }
    void setFixedRange(bool fixed);
    double fixedMin() const { return m_fixedMin; }
    void setFixedMin(double value);
    double fixedMax() const { return m_fixedMax; }
    void setFixedMax(double value);
    bool active() const { return m_active; }
    void setActive(bool active);
    bool reduceMotion() const { return m_reduceMotion; }
    void setReduceMotion(bool reduce);
    QColor lineColor() const { return m_lineColor; }
    void setLineColor(const QColor& c);
    QColor gridColor() const { return m_gridColor; }
    void setGridColor(const QColor& c);
    QColor labelColor() const { return m_labelColor; }
    void setLabelColor(const QColor& c);
    QString fontFamily() const { return m_fontFamily; }
    void setFontFamily(const QString& family);

    /// One sample at time t (seconds on the chart's clock); a non-finite value is
    /// ignored, a time before the newest sample counts as the newest sample's time.
    /// Returns whether it was taken.
    Q_INVOKABLE bool addSampleAt(double t, double value);
    /// One sample at the clock's now.
    Q_INVOKABLE bool addSample(double value);
    /// Samples taken since the chart was created (also those merged by thinning).
    Q_INVOKABLE int takenCount() const { return m_taken; }
    /// Forgets every sample (and, for a heading, the unwrap history).
    Q_INVOKABLE void clear();
    Q_INVOKABLE int sampleCount() const { return m_series.size(); }
    Q_INVOKABLE int capacity() const { return m_series.capacity(); }
    /// The newest stored value as plotted (unwrapped for a heading); NaN when empty.
    Q_INVOKABLE double newestValue() const;
    /// The value range shown by the last repaint.
    Q_INVOKABLE double displayMin() const { return m_range.lo(); }
    Q_INVOKABLE double displayMax() const { return m_range.hi(); }

    ChartClock* clock() const { return m_clock; }
    /// The clock that places the window (null: the monotonic clock). A new clock, or a
    /// new source of the clock, clears the history.
    void setClock(ChartClock* clock);
    double now() const;
    const ChartSeries& series() const { return m_series; }

    void paint(QPainter* painter) override;

signals:
    void windowSecChanged();
    void rangeOptionsChanged();
    void activeChanged();
    void reduceMotionChanged();
    void lookChanged();
    void clockChanged();

protected:
    /// The value stored for an incoming sample (a heading unwraps it here).
    virtual double mapIncoming(double value) { return value; }
    /// The label of a grid line at value on an axis spanning span.
    virtual QString tickLabel(double value, double span) const;
    /// Called when the history is cleared.
    virtual void onCleared() { }

    void itemChange(ItemChange change, const ItemChangeData& value) override;

private:
    void requestRepaint();
    void updateScrollTimer();
    bool paced() const { return m_clock && m_clock->paced(); }
    /// Moves by itself: active, shown, with data and motion allowed.
    bool scrolls() const
    {
        return m_active && !m_reduceMotion && isVisible() && !m_series.isEmpty();
    }
    void onClockFrame();
    void applyRange();
    void buildLine(const QRectF& plot, double windowStart);

    ChartSeries m_series;
    ChartRange m_range;
    int m_windowSec = kDefaultWindowSec;
    bool m_fixedRange = false;
    double m_fixedMin = 0;
    double m_fixedMax = 1;
    bool m_active = true;
    bool m_reduceMotion = false;
    int m_taken = 0;
    QColor m_lineColor = QColor(0x6e, 0xc4, 0xf0);
    QColor m_gridColor = QColor(0x24, 0x38, 0x50);
    QColor m_labelColor = QColor(0x8a, 0xa3, 0xbc);
    QString m_fontFamily;

    QPointer<ChartClock> m_clock;
    QMetaObject::Connection m_clockSourceConnection;
    QMetaObject::Connection m_clockFrameConnection;
    QMetaObject::Connection m_clockPacedConnection;
    /// A change waits for the paced clock's next frame.
    bool m_repaintDue = false;
    QElapsedTimer m_sinceRepaint;
    QTimer m_coalesceTimer;
    QTimer m_scrollTimer;
    // The line of the last repaint, kept to reuse their memory: the lowest and highest
    // y per pixel column, the column spans between them and the wash below them.
    std::vector<float> m_colLo;
    std::vector<float> m_colHi;
    QVector<QRectF> m_band;
    QPolygonF m_wash;
    QPointF m_head;
};

} // namespace gcs
