// telvo-cli replay: a recording played back onto a serial port at its recorded pace.
#include "CliCommand.h"
#include "Interrupt.h"

#include "link/SerialPortName.h"
#include "link/SerialTransport.h"
#include "link/Session.h"
#include "replay/ReplayTransport.h"

#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

namespace {

constexpr int kDefaultBaud = 115200;
constexpr double kMinSpeed = 0.01;
constexpr double kMaxSpeed = 1000;

int runReplay(const QCommandLineParser& args);

const cli::CliCommand kCommand {
    QStringLiteral("replay"),
    QStringLiteral("play a recording back onto a serial port at its recorded pace"),
    QStringLiteral(
        "usage: telvo-cli replay CAPTURE --to PORT [--baud N] [--speed X] [--loop]\n"
        "                        [--rate HZ]\n"
        "\n"
        "Writes a recording to PORT at N baud (default 115200) at the pace it was\n"
        "recorded, the way the window's replay plays it, so that other software can be\n"
        "tested against a recorded drive. A raw capture (the recorder's \".bin\", or any\n"
        "file of received bytes) goes out byte for byte, junk between messages included;\n"
        "a message log (the recorder's \".txt\") goes out as the messages it records, each\n"
        "sentence with its CR LF and each frame as its bytes. The pace comes from the\n"
        "log's host times or from the units' time tags; records without a tag are HZ\n"
        "apart (default 200 per second).\n"
        "--speed X plays X times as fast (0.01 to 1000), or \"max\" as fast as the line\n"
        "takes it; a line too slow for the pace holds the replay back instead of\n"
        "dropping data. --loop starts over at the end until interrupted.\n"
        "\n"
        "Exit status: 0 when the recording was played to its end; 1 when the recording or\n"
        "the port cannot be used, or the recording is damaged (what came before the\n"
        "damage has been played); 2 on bad arguments; 130 when interrupted (Ctrl-C)."),
    { cli::valued(QStringLiteral("to"), QStringLiteral("PORT")),
      cli::valued(QStringLiteral("baud"), QStringLiteral("N")),
      cli::valued(QStringLiteral("speed"), QStringLiteral("X")),
      cli::valued(QStringLiteral("rate"), QStringLiteral("HZ")),
      cli::flag(QStringLiteral("loop")) },
    runReplay,
};

const cli::CliRegistration kRegistration(kCommand);

int fail(const QString& message)
{
    cli::printErr(QStringLiteral("telvo-cli replay: ") + message);
    return 1;
}

struct ReplayArgs
{
    QString capture;
    QString port;
    int baud = kDefaultBaud;
    double speed = 1.0;
    double rate = gcs::ReplayTransport::kDefaultRecordRate;
    bool loop = false;
};

int parseArgs(const QCommandLineParser& args, ReplayArgs& a)
{
    a.port = args.value(QStringLiteral("to"));
    if (args.isSet(QStringLiteral("to")) && a.port.isEmpty())
        return cli::usageError(kCommand, QStringLiteral("--to needs a PORT"));
    if (const int error = cli::parseBaud(kCommand, args, a.baud))
        return error;
    bool ok = false;
    if (const QString value = args.value(QStringLiteral("speed")); value == QLatin1String("max")) {
        a.speed = gcs::ReplayTransport::kFastest;
    } else if (args.isSet(QStringLiteral("speed"))) {
        a.speed = value.toDouble(&ok);
        if (!ok || a.speed < kMinSpeed || a.speed > kMaxSpeed)
            return cli::usageError(kCommand, QStringLiteral("--speed needs 0.01 to 1000, or max"));
    }
    if (args.isSet(QStringLiteral("rate"))) {
        a.rate = args.value(QStringLiteral("rate")).toDouble(&ok);
        if (!ok || a.rate < gcs::ReplayTransport::kMinRecordRate
            || a.rate > gcs::ReplayTransport::kMaxRecordRate)
            return cli::usageError(kCommand, QStringLiteral("--rate needs 1 to 10000"));
    }
    a.loop = args.isSet(QStringLiteral("loop"));
    const QStringList positional = args.positionalArguments();
    if (positional.size() > 1)
        return cli::usageError(kCommand, QStringLiteral("one CAPTURE only"));
    a.capture = positional.value(0);
    if (a.capture.isEmpty())
        return cli::usageError(kCommand, QStringLiteral("no CAPTURE given"));
    if (a.port.isEmpty())
        return cli::usageError(kCommand, QStringLiteral("no --to PORT given"));
    return 0;
}

int runReplay(const QCommandLineParser& args)
{
    ReplayArgs a;
    if (const int rc = parseArgs(args, a))
        return rc;
    if (!QFileInfo(a.capture).isFile())
        return fail(QStringLiteral("no such file: %1").arg(QDir::toNativeSeparators(a.capture)));

    const QString port = gcs::portKeyFromText(a.port);
    auto serial = std::make_unique<gcs::SerialTransport>(port, a.baud);
    gcs::SerialTransport* link = serial.get();
    gcs::Session session(QStringLiteral("primary"), QStringLiteral("串口"), std::move(serial));
    QString linkError;
    QObject::connect(&session, &gcs::Session::errorOccurred,
                     [&linkError](const QString& message) { linkError = message; });
    if (!session.connectTransport())
        return fail(linkError.isEmpty() ? QStringLiteral("cannot open %1").arg(port) : linkError);

    // Straight through, no index: the pace needs none, and a loop starts at the start.
    gcs::ReplayTransport replay(a.capture);
    replay.setIndexing(false);
    replay.setSpeed(a.speed);
    replay.setRecordRate(a.rate);
    replay.setLoop(a.loop);
    QString replayError;
    QObject::connect(&replay, &gcs::ITransport::errorOccurred,
                     [&replayError](const QString& message) { replayError = message; });
    if (!replay.open())
        return fail(replayError);

    const cli::Interrupt interrupt;
    qint64 written = 0;
    bool writeFailed = false;
    // Written out before the next piece is due: a slow line holds the replay back.
    QObject::connect(&replay, &gcs::ITransport::bytesReceived, [&](const QByteArray& bytes) {
        if (writeFailed || interrupt.interrupted())
            return;
        if (!link->sendBlocking(bytes)) {
            writeFailed = true;
            return;
        }
        written += bytes.size();
    });
    bool finished = false;
    QObject::connect(&replay, &gcs::ReplayTransport::finished, [&finished]() { finished = true; });

    cli::printErr(QStringLiteral("telvo-cli replay: %1 onto %2 at %3 baud")
                      .arg(QDir::toNativeSeparators(a.capture), port,
                           QString::number(a.baud)));
    QElapsedTimer clock;
    clock.start();
    replay.play();
    // A recording that stops at a fault (or holds none) is done: what came before the
    // fault has gone out by the time the fault is told.
    interrupt.runUntil([&]() { return finished || writeFailed || !replayError.isEmpty(); });
    replay.close();
    session.disconnectTransport();

    cli::printErr(QStringLiteral("telvo-cli replay: %1 bytes in %2 s")
                      .arg(written)
                      .arg(double(clock.elapsed()) / 1000.0, 0, 'f', 1));
    if (interrupt.interrupted())
        return cli::Interrupt::kExitCode;
    if (writeFailed)
        return fail(linkError.isEmpty() ? QStringLiteral("writing to %1 failed").arg(port)
                                        : linkError);
    if (!replayError.isEmpty())
        return fail(replayError);
    return 0;
}

} // namespace
