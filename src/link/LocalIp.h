#pragma once

#include <QString>

namespace gcs {

/// Canonical form of a local bind address: trimmed, with "0.0.0.0" and blank text both
/// meaning "any address" and written as the empty string, so that two local addresses
/// compare equal exactly when they bind the same way.
QString normalizedLocalIp(const QString& ip);

} // namespace gcs
