#pragma once

#include "discovery/ProbeCancel.h"
#include "discovery/SerialPortListing.h"

#include <QFuture>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace gcs {

/// What the connection dialog shows about the computer's ports and the last search or
/// detection, where the port list comes from, and the probes running on worker threads.
struct DiscoveryState
{
    /// A check before a serial connect, running on a worker: what its result applies to.
    /// A second request for the same port and baud joins it and takes these over, since a
    /// second probe could not open the port the first one holds.
    struct LinkCheck
    {
        QString port;
        int baud = 0;
        QString portText;
        QString managedId;
        int generation = 0;
        /// An attempt of the automatic reconnect: no connecting state, no failure text.
        bool quiet = false;
    };

    QStringList serialPorts; ///< "name  description" per port
    QStringList localIps;
    QString detectHint;
    bool searching = false;
    bool detectingPort = false;
    int lastDetectBaud = 115200;
    /// The platform's port list when empty.
    std::function<QList<SerialPortListing>()> portSource;

    QList<LinkCheck> checks;
    /// The port key each serial session was opened with, by session id.
    QHash<QString, QString> sessionPorts;
    /// Set once the controller goes away: every probe lets go of its port.
    ProbeCancel cancel;
    /// Every probe started, so that the controller can wait for them to end.
    QList<QFuture<void>> workers;

    LinkCheck* findCheck(const QString& port, int baud)
    {
        for (LinkCheck& check : checks) {
            if (check.port == port && check.baud == baud)
                return &check;
        }
        return nullptr;
    }
};

} // namespace gcs
