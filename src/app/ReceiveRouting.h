#pragma once

#include <QString>

namespace gcs {

/// Where a received chunk goes. Only the current device's data may reach the telemetry,
/// the decoder and the log; while a firmware transfer runs, its session talks to the
/// transfer alone, because the boot loader's bytes are no telemetry.
class ReceiveRouting
{
public:
    enum class Route {
        Drop, ///< another device's data, or anything but the transfer's while it runs
        Upgrade, ///< to the firmware transfer only
        Telemetry, ///< to the hub, the INS bridge and the log
    };

    /// sessionId sent the chunk. currentManagedId is the current device's id (empty
    /// without one); currentSessionId is the id of the current device's session (the
    /// primary session without a current device), when that session exists.
    static Route route(const QString& sessionId, bool upgradeBusy, const QString& currentManagedId,
                       bool currentSessionExists, const QString& currentSessionId);

    /// The session id of a link opened while no device is current.
    static QString primaryId() { return QStringLiteral("primary"); }
    /// The session id of a replayed recording; while it plays, only its data are routed.
    static QString replayId() { return QStringLiteral("replay"); }
};

} // namespace gcs
