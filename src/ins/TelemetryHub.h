#pragma once

#include "ins/TelemetrySnapshot.h"

#include <QByteArray>
#include <QObject>

namespace gcs {

/// Stand-in until the INS subsystem lands: the hub that publishes telemetry to QML and
/// fans raw bytes and snapshots out to the recorder. It keeps and publishes nothing.
class TelemetryHub : public QObject
{
    Q_OBJECT
public:
    explicit TelemetryHub(QObject* parent = nullptr);
    ~TelemetryHub() override;

    void publish(const gcs::TelemetrySnapshot& snapshot);
    void markOffline();
    void ingestRaw(const QByteArray& bytes);

signals:
    void snapshotChanged();
    void rawFrame(const QByteArray& frame);
    void fullSnapshot(gcs::TelemetrySnapshot snapshot);
};

} // namespace gcs
