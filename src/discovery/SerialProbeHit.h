#pragma once

#include <QMetaType>
#include <QString>

namespace gcs {

/// One port that answered a sweep: the bare port name (never with a description), the
/// baud at which the reply came and the product the reply was taken for.
struct SerialProbeHit
{
    QString port;
    int baud = 0;
    QString productId;

    friend bool operator==(const SerialProbeHit& a, const SerialProbeHit& b)
    {
        return a.port == b.port && a.baud == b.baud && a.productId == b.productId;
    }
};

} // namespace gcs

Q_DECLARE_METATYPE(gcs::SerialProbeHit)
