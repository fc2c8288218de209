#pragma once

#include "ins/TelemetrySnapshot.h"

#include <QByteArray>
#include <QObject>

class RecDataModel;

namespace gcs {

/// Stand-in until the INS subsystem lands: the bridge between the decoder and the rest
/// of the program. It owns the decoder and takes the controller's calls, but decodes and
/// publishes nothing.
class InsBridge : public QObject
{
    Q_OBJECT
public:
    explicit InsBridge(QObject* parent = nullptr);
    ~InsBridge() override;

    RecDataModel* model() const { return m_model; }
    void feed(const QByteArray& bytes);
    void appendFactoryRaw(const QByteArray& bytes);

    Q_INVOKABLE void resetStats();
    Q_INVOKABLE void resetParseBuffer();
    Q_INVOKABLE void tickRecTime(int secs);
    Q_INVOKABLE void addSendBytes(int n);
    Q_INVOKABLE void clearFactoryRaw();

signals:
    void snapshotReady(gcs::TelemetrySnapshot snapshot);
    void configChanged();
    void statsChanged();
    void panelChanged();

private:
    RecDataModel* m_model = nullptr;
};

} // namespace gcs
