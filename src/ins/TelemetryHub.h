#pragma once

#include "ins/TelemetrySnapshot.h"

#include <QObject>
#include <QTimer>
#include <QVariant>

namespace gcs {

/// Holds the latest telemetry snapshot for QML ("app.hub") and fans snapshots and raw
/// received bytes out to the recorder. Live snapshots are merged into a working copy
/// that QML sees at most every 50 ms, however fast frames arrive; going offline is shown
/// at once. The flush timer is also the window's pace for everything else a fast stream
/// changes (uiTick), so that one frame carries all of it.
class TelemetryHub : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QVariantMap fields READ fields NOTIFY snapshotChanged)
    Q_PROPERTY(QString quality READ quality NOTIFY snapshotChanged)
    Q_PROPERTY(bool hasFix READ hasFix NOTIFY snapshotChanged)
public:
    static constexpr int kFlushIntervalMs = 50;

    explicit TelemetryHub(QObject* parent = nullptr);

    /// The shown fields, their status texts in the language of the moment.
    QVariantMap fields() const;
    QString quality() const { return m_shown.quality; }
    bool hasFix() const { return m_shown.quality == QLatin1String("online"); }

    /// The shown value of name while online; fallback when offline or absent.
    Q_INVOKABLE QVariant field(const QString& name, const QVariant& fallback) const;
    Q_INVOKABLE QVariant field(const QString& name) const;

signals:
    void snapshotChanged();
    void rawFrame(const QByteArray& frame);
    void fullSnapshot(gcs::TelemetrySnapshot snapshot);
    /// Every tick of the flush timer, after the flush.
    void uiTick();

public slots:
    void publish(const gcs::TelemetrySnapshot& snapshot);
    void markOffline();
    /// Passes bytes received from the data link on to the recorder, untouched.
    void ingestRaw(const QByteArray& bytes);
    void flushUi();

private:
    TelemetrySnapshot m_working;
    TelemetrySnapshot m_shown;
    QTimer m_flushTimer;
    bool m_dirty = false;
};

} // namespace gcs
