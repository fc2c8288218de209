// telvo-cli forward: a unit's records handed on to other programs, as the window's
// "数据转发" does.
#include "CliCommand.h"
#include "Interrupt.h"

#include "app/Application.h"
#include "discovery/DiscoveryTexts.h"
#include "forward/ForwardEndpoint.h"
#include "forward/Forwarder.h"
#include "forward/NmeaServer.h"
#include "link/SerialPortName.h"

#include <QCommandLineParser>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

namespace {

constexpr int kDefaultBaud = 115200;
/// The pre-connect check probes the port at the given rate; it ends on its own.
constexpr int kConnectWaitMs = 30000;
/// A name the system's resolver has not answered for by then is taken as unresolvable.
constexpr int kStartWaitMs = 15000;

int runForward(const QCommandLineParser& args);

const cli::CliCommand kCommand {
    QStringLiteral("forward"),
    QStringLiteral("hand a unit's records on to other programs (UDP JSON, NMEA over TCP)"),
    QStringLiteral(
        "usage: telvo-cli forward PORT [--baud N] [--udp-json HOST:PORT]\n"
        "                         [--nmea-tcp [HOST:]PORT] [--nmea-rate HZ] [--seconds S]\n"
        "\n"
        "Connects to the unit on PORT at N baud (default 115200) the way the window does,\n"
        "with its check that a unit answers there first, and hands every record it\n"
        "decodes on until S seconds have passed (default: until Ctrl-C):\n"
        "  --udp-json HOST:PORT    one JSON object per record in one UDP datagram, as\n"
        "                          plotting tools take them (PlotJuggler: 127.0.0.1:9870);\n"
        "                          the keys are the CSV export's column names of the values\n"
        "                          the record carries, in its units and decimals, and \"t\",\n"
        "                          the receive time in seconds since 1970-01-01 UTC\n"
        "  --nmea-tcp [HOST:]PORT  NMEA 0183 (GGA, RMC, VTG, HDT) to at most 5 TCP clients,\n"
        "                          listening on HOST (default 127.0.0.1) at PORT (10110 is\n"
        "                          the usual one); the time is the computer's UTC\n"
        "  --nmea-rate HZ          sentence sets per second, 0.1 to 100 (default 10), never\n"
        "                          more than the unit sends records\n"
        "One of --udp-json and --nmea-tcp at least. A host may be a name; an IPv6 address\n"
        "goes in brackets (\"[::1]:9870\"). Prints each output's state once it runs, and at\n"
        "the end what was forwarded. When the unit goes away forwarding waits for it, as\n"
        "the window does; a client that does not read loses sentences, not memory.\n"
        "\n"
        "Exit status: 0 when forwarding ran to the end (S seconds or Ctrl-C) with the unit\n"
        "connected; 1 when an output cannot start (a name that does not resolve, an\n"
        "address not of this computer, a port in use), no unit answers on PORT or the port\n"
        "is not there, or the unit went away and had not come back by the end; 2 on bad\n"
        "arguments."),
    { cli::valued(QStringLiteral("baud"), QStringLiteral("N")),
      cli::valued(QStringLiteral("udp-json"), QStringLiteral("HOST:PORT")),
      cli::valued(QStringLiteral("nmea-tcp"), QStringLiteral("[HOST:]PORT")),
      cli::valued(QStringLiteral("nmea-rate"), QStringLiteral("HZ")),
      cli::valued(QStringLiteral("seconds"), QStringLiteral("S")) },
    runForward,
};

const cli::CliRegistration kRegistration(kCommand);

void tell(const QString& message)
{
    cli::printErr(QStringLiteral("telvo-cli forward: ") + message);
}

int fail(const QString& message)
{
    tell(message);
    return 1;
}

struct ForwardArgs
{
    QString port;
    int baud = kDefaultBaud;
    double seconds = 0; // 0: until interrupted
    bool udp = false;
    gcs::ForwardEndpoint udpTarget;
    bool nmea = false;
    gcs::ForwardEndpoint nmeaListen;
    double nmeaRate = gcs::Forwarder::kDefaultNmeaRate;
};

int parseArgs(const QCommandLineParser& args, ForwardArgs& a)
{
    if (const int error = cli::parseBaud(kCommand, args, a.baud))
        return error;
    bool ok = false;
    if (args.isSet(QStringLiteral("seconds"))) {
        a.seconds = args.value(QStringLiteral("seconds")).toDouble(&ok);
        if (!ok || a.seconds <= 0 || a.seconds > 7 * 24 * 3600)
            return cli::usageError(kCommand, QStringLiteral("--seconds needs a positive number"));
    }
    QString error;
    a.udp = args.isSet(QStringLiteral("udp-json"));
    if (a.udp
        && !gcs::ForwardEndpoint::parse(args.value(QStringLiteral("udp-json")), QString(),
                                        a.udpTarget, error))
        return cli::usageError(kCommand, QStringLiteral("--udp-json: ") + error);
    a.nmea = args.isSet(QStringLiteral("nmea-tcp"));
    if (a.nmea
        && !gcs::ForwardEndpoint::parse(args.value(QStringLiteral("nmea-tcp")),
                                        QString::fromLatin1(gcs::Forwarder::kDefaultNmeaHost),
                                        a.nmeaListen, error))
        return cli::usageError(kCommand, QStringLiteral("--nmea-tcp: ") + error);
    if (args.isSet(QStringLiteral("nmea-rate"))) {
        a.nmeaRate = args.value(QStringLiteral("nmea-rate")).toDouble(&ok);
        if (!ok || a.nmeaRate < gcs::NmeaServer::kMinRate || a.nmeaRate > gcs::NmeaServer::kMaxRate)
            return cli::usageError(kCommand,
                                   QStringLiteral("--nmea-rate needs a number from 0.1 to 100"));
    }
    if (!a.udp && !a.nmea)
        return cli::usageError(kCommand, QStringLiteral("give --udp-json, --nmea-tcp or both"));
    const QStringList positional = args.positionalArguments();
    if (positional.size() > 1)
        return cli::usageError(kCommand, QStringLiteral("one PORT only"));
    a.port = positional.value(0);
    if (a.port.isEmpty())
        return cli::usageError(kCommand, QStringLiteral("no PORT given"));
    return 0;
}

int runForward(const QCommandLineParser& args)
{
    ForwardArgs a;
    if (const int error = parseArgs(args, a))
        return error;

    // Settings of its own, so that connecting from here changes nothing the window keeps
    // (last port, managed devices, its own forwarding).
    QTemporaryDir settingsHome;
    if (!settingsHome.isValid())
        return fail(QStringLiteral("no temporary folder for the settings: %1")
                        .arg(settingsHome.errorString()));
    qputenv("LOCALAPPDATA", QDir::toNativeSeparators(settingsHome.path()).toLocal8Bit());

    const cli::Interrupt interrupt;
    gcs::Application app;
    gcs::Forwarder* forward = app.forward();
    QObject::connect(forward, &gcs::Forwarder::errorOccurred, [](const QString& m) { tell(m); });

    // The outputs first: an address that cannot be used is told before the unit is touched.
    if (a.udp)
        forward->setUdp(true, a.udpTarget.host, a.udpTarget.port);
    if (a.nmea)
        forward->setNmea(true, a.nmeaListen.host, a.nmeaListen.port, a.nmeaRate);
    const bool settled = interrupt.runUntil(
        [forward]() {
            return forward->udpState() != gcs::Forwarder::Starting
                && forward->nmeaState() != gcs::Forwarder::Starting;
        },
        QDeadlineTimer(kStartWaitMs));
    if (!settled)
        return fail(QStringLiteral("interrupted while starting"));
    if (forward->udpState() == gcs::Forwarder::Starting
        || forward->nmeaState() == gcs::Forwarder::Starting)
        return fail(
            QStringLiteral("the host name was not resolved in %1 s").arg(kStartWaitMs / 1000));
    if (forward->udpState() == gcs::Forwarder::Failed
        || forward->nmeaState() == gcs::Forwarder::Failed)
        return 1; // told as it happened
    if (a.udp && !cli::printOut(QStringLiteral("udp-json: ") + forward->udpStateText()))
        return fail(cli::outputError());
    if (a.nmea && !cli::printOut(QStringLiteral("nmea-tcp: ") + forward->nmeaStateText()))
        return fail(cli::outputError());

    if (!app.connectSerial(a.port, a.baud))
        return fail(app.lastError().isEmpty() ? QStringLiteral("no PORT given") : app.lastError());
    if (!interrupt.runUntil([&app]() { return !app.connecting(); }, QDeadlineTimer(kConnectWaitMs)))
        return fail(QStringLiteral("interrupted while connecting"));
    if (!app.currentManagedConnected()) {
        if (!gcs::serialPortExists(a.port))
            return fail(gcs::discoverytext::portMissing(gcs::portKeyFromText(a.port)));
        return fail(app.lastError().isEmpty() ? QStringLiteral("no unit answered on %1 at %2 baud")
                                                    .arg(a.port, QString::number(a.baud))
                                              : app.lastError());
    }

    QElapsedTimer clock;
    clock.start();
    const auto secondsText
        = [&clock]() { return QString::number(double(clock.elapsed()) / 1000.0, 'f', 1); };
    QObject::connect(&app, &gcs::Application::reconnectingChanged, [&]() {
        if (app.reconnecting())
            tell(QStringLiteral("the unit went away after %1 s; waiting for it to come back")
                     .arg(secondsText()));
        else if (app.currentManagedConnected())
            tell(QStringLiteral("the unit is back after %1 s; forwarding goes on")
                     .arg(secondsText()));
    });
    int clients = 0;
    QObject::connect(forward, &gcs::Forwarder::stateChanged, [&]() {
        if (forward->nmeaClients() != clients) {
            clients = forward->nmeaClients();
            tell(QStringLiteral("%1 NMEA client(s) connected").arg(clients));
        }
    });
    interrupt.runUntil([]() { return false; },
                       a.seconds > 0 ? QDeadlineTimer(qint64(a.seconds * 1000))
                                     : QDeadlineTimer(QDeadlineTimer::Forever));
    const bool lost = !app.currentManagedConnected();
    app.disconnectPrimary();
    QStringList done {
        QStringLiteral("forwarded %1 records in %2 s").arg(forward->records()).arg(secondsText())
    };
    if (a.udp)
        done << QStringLiteral("%1 datagrams").arg(forward->udpDatagrams());
    if (a.nmea)
        done << QStringLiteral("%1 NMEA sentence sets, %2 bytes dropped for slow clients")
                    .arg(forward->nmeaBatches())
                    .arg(forward->nmeaDroppedBytes());
    cli::printErr(done.join(QStringLiteral(", "))
                  + (interrupt.interrupted() ? QStringLiteral(" (interrupted)") : QString()));
    if (lost)
        return fail(QStringLiteral("the unit went away and did not come back"));
    return 0;
}

} // namespace
