#pragma once

#include "ins/TelemetrySnapshot.h"

#include <QByteArray>
#include <QObject>
#include <QString>

namespace gcs {

/// Stand-in until the recording subsystem lands: takes the data the controller wires to
/// it and records nothing; every start is refused.
class Recorder : public QObject
{
    Q_OBJECT
public:
    explicit Recorder(QObject* parent = nullptr);
    ~Recorder() override;

    bool start(const QString& csvPath, const QString& rawPath, bool insColumns = false);
    bool startInDirectory(const QString& dir, const QString& formatHint, bool insColumns = false);
    void stop();

    void onRaw(const QByteArray& bytes);
    void onSnapshot(const gcs::TelemetrySnapshot& snapshot);
    void storeInsWireFrame(const QByteArray& line, qint64 hostRxMs = 0);
};

} // namespace gcs
