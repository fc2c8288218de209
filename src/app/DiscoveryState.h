#pragma once

#include "discovery/ProbeCancel.h"
#include "discovery/SerialPortListing.h"
#include "i18n/LiveText.h"

#include <QFuture>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace gcs {

/// What the connection dialog shows about the computer's ports and the last search or
/// detection, where the port list comes from, and the probes running on worker threads.
///
/// A port opens for one prober at a time: a probe that tried a port another one holds would
/// find it busy and miss a unit that answers there. So each running probe is listed with
/// the ports it may open, and a check before a connect waits until no other probe holds its
/// port; those it makes pointless (a check at another rate, a detection) it ends first.
struct DiscoveryState
{
    enum class ProbeKind { Search, Detection, Check };

    /// A probe on a worker thread: the ports it may open and its own stop request.
    struct RunningProbe
    {
        int id = 0;
        ProbeKind kind = ProbeKind::Check;
        QStringList ports;
        ProbeCancel cancel;
        QFuture<void> future;
    };

    /// Where a serial session was opened: the port and the rate the user connected at.
    struct OpenedLink
    {
        QString port;
        int baud = 0;
    };

    /// A check before a serial connect, waiting for its port or running: what its result
    /// applies to. A second request for the same port and baud joins it and takes these
    /// over; a request for the port at another rate replaces it.
    struct LinkCheck
    {
        int id = 0;
        QString port;
        int baud = 0;
        QString portText;
        QString managedId;
        int generation = 0;
        /// An attempt of the automatic reconnect: no connecting state, no failure text.
        bool quiet = false;
        /// Its probe runs; until then it waits for the other probes of its port.
        bool started = false;
    };

    QStringList serialPorts; ///< "name  description" per port
    QStringList localIps;
    /// Made when read, so that it follows a change of language.
    LiveText detectHint;
    /// What detectHint speaks of: a search for units, or the detection of a port and baud,
    /// and whether it found nothing. The window places and colours the hint by it.
    enum class HintKind { Search, SearchFoundNothing, Detection, DetectionNoMatch };
    HintKind hintKind = HintKind::Search;
    bool searching = false;
    bool detectingPort = false;
    int lastDetectBaud = 115200;
    /// The platform's port list when empty.
    std::function<QList<SerialPortListing>()> portSource;

    QList<LinkCheck> checks;
    int lastCheckId = 0;
    /// The port key and baud each serial session was opened with (after its check), by
    /// session id: where and how a lost link is awaited.
    QHash<QString, OpenedLink> sessionLinks;
    /// Set once the controller goes away: every probe lets go of its port, and none starts.
    ProbeCancel stopped;
    QList<RunningProbe> probes;
    int lastProbeId = 0;

    /// A stop request for a new probe; already set once probing has stopped.
    ProbeCancel freshCancel() const
    {
        ProbeCancel cancel;
        if (stopped.isCancelled())
            cancel.cancel();
        return cancel;
    }

    LinkCheck* findCheck(const QString& port, int baud)
    {
        for (LinkCheck& check : checks) {
            if (check.port == port && check.baud == baud)
                return &check;
        }
        return nullptr;
    }

    /// Whether a running probe may hold port.
    bool portInUse(const QString& port) const
    {
        for (const RunningProbe& probe : probes) {
            if (probe.ports.contains(port))
                return true;
        }
        return false;
    }
};

} // namespace gcs
