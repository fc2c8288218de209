#pragma once

#include <QtGlobal>

namespace gcs {

/// Kind of a byte link, as returned by ITransport::kind(). Stored as a 32-bit integer
/// because products list the kinds they accept by these values.
enum class TransportKind : qint32 {
    Serial = 0,
    Udp = 1,
    Tcp = 2,
    /// A recording played back at its recorded pace; no device is behind it.
    Replay = 3,
};

} // namespace gcs
