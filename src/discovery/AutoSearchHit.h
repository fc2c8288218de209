#pragma once

#include "discovery/SerialProbeHit.h"

#include <QMetaType>
#include <QString>

namespace gcs {

/// One device found by the automatic search, as its worker hands it to the controller:
/// port, baud and product id, copied from the sweep's hit.
struct AutoSearchHit
{
    QString port;
    int baud = 0;
    QString productId;

    static AutoSearchHit fromProbeHit(const SerialProbeHit& hit)
    {
        return AutoSearchHit { hit.port, hit.baud, hit.productId };
    }

    friend bool operator==(const AutoSearchHit& a, const AutoSearchHit& b)
    {
        return a.port == b.port && a.baud == b.baud && a.productId == b.productId;
    }
};

} // namespace gcs

Q_DECLARE_METATYPE(gcs::AutoSearchHit)
