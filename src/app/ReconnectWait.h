#pragma once

#include <QString>

namespace gcs {

/// The wait for the current device's serial link after it went away by itself (the
/// adapter was unplugged, the unit lost power): which session it was and where and how
/// it is opened again. Nothing is awaited while the session id is empty.
struct ReconnectWait
{
    QString sessionId;
    /// The current managed id when the link was lost; empty for the primary link.
    QString managedId;
    QString port;
    int baud = 0;

    bool active() const { return !sessionId.isEmpty(); }
};

} // namespace gcs
