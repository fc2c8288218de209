#pragma once

#include "discovery/DetectLinkResult.h"
#include "discovery/ProbeCancel.h"
#include "discovery/SerialProbeHit.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace gcs {

/// Asks a serial port whether one of our inertial-navigation units talks on it: opens
/// the port itself, sends the two identification commands of the text protocol, gathers
/// what comes back within short fixed waits and classifies the bytes.
///
/// Every operation blocks (up to about 570 ms per command exchange) and is stateless:
/// each call opens, uses and closes its own port on the calling thread and touches
/// nothing shared, so the controller runs them on the global thread pool. A port that
/// does not open (missing, or held by another program or by a connection of ours)
/// simply counts as one without an answer.
///
/// Each operation takes a ProbeCancel: once it is set, the probe tries nothing more,
/// cuts its current wait short (within kCancelSliceMs), closes its port and returns as
/// if nothing had answered.
class SerialProbe
{
public:
    /// One port/baud pair that a detection tries, in order.
    using Attempt = QPair<QString, int>;

    /// What the check of one port at one baud found.
    enum class LinkOutcome {
        Answered, ///< a unit answered with a binary frame or a text sentence
        NoAnswer, ///< the port opened and nothing of ours answered (or it does not open)
        PortBusy, ///< the port is held by someone else (or we lack the right to open it)
    };

    /// The identification commands, sent in this order.
    static QList<QByteArray> probeCommands();
    /// 9600, 19200, 115200, 230400, 380400, 460800: swept when a caller gives no list.
    static QList<int> defaultBaudList();
    /// The default list followed by the user's own rates (those of at least 1 that are
    /// not listed yet), in their stored order: the bauds the window offers and sweeps.
    static QList<int> withCustomBauds(const QList<int>& customBauds);

    /// Sweeps ports x bauds in the given orders, at most one hit per port; stops once
    /// maxHits ports answered (checked after each whole port, so a maximum of 0 still
    /// sweeps the first port). An empty baud list means the default list.
    static QList<SerialProbeHit> probeAllPorts(const QStringList& ports, int maxHits,
                                               const QList<int>& bauds,
                                               const ProbeCancel& cancel = ProbeCancel());
    /// Everything the port sent back at this baud for the identification commands (the
    /// second command is skipped when the first reply already classifies); empty when
    /// the port does not open.
    static QByteArray probePort(const QString& port, int baud,
                                const ProbeCancel& cancel = ProbeCancel());
    /// True when a unit answers at this port and baud with a binary frame or a text
    /// sentence: the narrower test used before connecting.
    static bool tryInsLinkAt(const QString& port, int baud,
                             const ProbeCancel& cancel = ProbeCancel());
    /// The same check, telling a port that is held elsewhere from one that is silent.
    static LinkOutcome checkLinkAt(const QString& port, int baud,
                                   const ProbeCancel& cancel = ProbeCancel());

    /// "ins" when the reply looks like one of our units (a binary frame head, or any of
    /// the names it uses in its texts, whatever their case), else empty.
    static QString classifyReply(const QByteArray& reply);
    /// The link test of tryInsLinkAt: a binary frame head or the exact sentence header.
    /// A reply that only names "IMU" or "AHRS" classifies but does not pass.
    static bool passesLinkTest(const QByteArray& reply);

    /// Bauds to try on one port: the preferred one first (when above 0), then every
    /// other entry of the list in its order.
    static QList<int> baudTryOrder(int preferredBaud, const QList<int>& bauds);
    /// Every port/baud pair that runDetectSerialLink tries, in order: the port named by
    /// portText (its first word) with the preferred baud first, then the other listed
    /// ports in list order, each at the bauds in list order.
    static QList<Attempt> detectAttempts(const QString& portText, int preferredBaud,
                                         const QStringList& ports, const QList<int>& bauds);
    /// Detection of one port with fall-back to the others: the first pair of
    /// detectAttempts that passes tryInsLinkAt.
    static DetectLinkResult runDetectSerialLink(const QString& portText, int preferredBaud,
                                                const QStringList& ports, const QList<int>& bauds,
                                                const ProbeCancel& cancel = ProbeCancel());

    /// Registers the three result records with the meta-type system so that they can
    /// travel through futures and queued signals. Safe to call more than once.
    static void registerMetaTypes();

    /// An automatic search takes at most this many devices under management.
    static constexpr int kAutoSearchMaxHits = 3;

    static constexpr int kWriteWaitMs = 150;
    static constexpr int kFirstReplyWaitMs = 300;
    static constexpr int kTrailingReplyWaitMs = 120;
    /// The longest a wait runs before it looks at the cancel flag again.
    static constexpr int kCancelSliceMs = 20;
};

} // namespace gcs
