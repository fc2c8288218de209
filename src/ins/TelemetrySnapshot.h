#pragma once

#include <QMetaType>
#include <QString>
#include <QVariantMap>

namespace gcs {

/// Decoded navigation data as it travels to the user interface and the recorder: a time
/// stamp (ms since the epoch, 0 for the offline snapshot), the link quality ("online" or
/// "offline") and the named values. Copies share the field map.
struct TelemetrySnapshot
{
    Q_GADGET
    Q_PROPERTY(qint64 ts MEMBER ts)
    Q_PROPERTY(QString quality MEMBER quality)
    Q_PROPERTY(QVariantMap fields MEMBER fields)
public:
    qint64 ts = 0;
    QString quality;
    QVariantMap fields;
};

} // namespace gcs

Q_DECLARE_METATYPE(gcs::TelemetrySnapshot)
