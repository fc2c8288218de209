#pragma once

#include <QHostAddress>
#include <QString>

#include <functional>

class QObject;

namespace gcs {

/// Turns what a user typed for a host into an address without blocking: an address is
/// taken as it is, a name goes to the system's resolver and is answered later on the
/// context's thread. IPv4 is preferred when a name has both kinds.
class HostLookup
{
public:
    /// address is null and error says why when the host cannot be resolved.
    using Done = std::function<void(const QHostAddress& address, const QString& error)>;

    /// Calls done at once for an address (returning -1), else once the resolver answers;
    /// returns the lookup's id for abort. done is not called once context is gone.
    static int start(const QString& host, QObject* context, Done done);
    static void abort(int id);
};

} // namespace gcs
