#pragma once

#include <QMetaType>
#include <QString>
#include <QVariantMap>

namespace gcs {

/// Stand-in until the INS subsystem lands: one published telemetry state, a time stamp
/// (ms since the epoch), the link quality ("online" or "offline") and the named values.
struct TelemetrySnapshot
{
    qint64 ts = 0;
    QString quality;
    QVariantMap fields;
};

} // namespace gcs

Q_DECLARE_METATYPE(gcs::TelemetrySnapshot)
