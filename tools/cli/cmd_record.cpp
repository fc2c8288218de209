// telvo-cli record: the window's recording flow from the command line.
#include "CliCommand.h"
#include "Interrupt.h"

#include "app/Application.h"
#include "ins/InsBridge.h"
#include "record/Recorder.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

constexpr int kDefaultBaud = 115200;
constexpr double kDefaultSeconds = 10;
/// How long to wait for the first decoded message, whose format names the files.
constexpr int kFormatWaitMs = 2000;
/// The pre-connect check probes the port at the given rate; it ends on its own.
constexpr int kConnectWaitMs = 30000;

int runRecord(const QStringList& args);

const cli::CliCommand kCommand {
    QStringLiteral("record"),
    QStringLiteral("record a unit's data to a folder, as the window's record page does"),
    QStringLiteral(
        "usage: telvo-cli record PORT [--baud N] --dir DIR [--seconds S]\n"
        "\n"
        "Connects to the unit on PORT at N baud (default 115200) the way the window does,\n"
        "with its check that a unit answers there first, and records for S seconds\n"
        "(default 10; Ctrl-C stops earlier) into DIR: a text file with one line per\n"
        "message (host time, then the \"#vorn\" sentence or the frame as hex pairs) and\n"
        "the raw bytes in a \".bin\" file of the same name, named after the data format\n"
        "(\"sinsbin_20240309_070503.txt\"). Prints the two paths when recording starts.\n"
        "When the unit goes away (unplugged, powered off) the recording goes on: the\n"
        "command says so on standard error, waits for the port to come back, connects\n"
        "again as the window does and keeps writing to the same two files.\n"
        "The command keeps settings of its own: the window's device list is not touched.\n"
        "\n"
        "Exit status: 0 when a recording was made and closed with the unit connected; 1\n"
        "when no unit answers on PORT, the port does not open, DIR cannot be written or\n"
        "the unit went away and had not come back by the end; 2 on bad arguments."),
    runRecord,
};

const cli::CliRegistration kRegistration(kCommand);

void tell(const QString& message)
{
    cli::printErr(QStringLiteral("telvo-cli record: ") + message);
}

int fail(const QString& message)
{
    tell(message);
    return 1;
}

int runRecord(const QStringList& args)
{
    QString port;
    QString dir;
    int baud = kDefaultBaud;
    double seconds = kDefaultSeconds;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (arg == QLatin1String("--baud")) {
            if (const int error
                = cli::parseBaud(kCommand, hasValue ? args.at(++i) : QString(), baud))
                return error;
        } else if (arg == QLatin1String("--dir")) {
            if (!hasValue)
                return cli::usageError(kCommand, QStringLiteral("--dir needs a folder"));
            dir = args.at(++i);
        } else if (arg == QLatin1String("--seconds")) {
            bool ok = false;
            seconds = hasValue ? args.at(++i).toDouble(&ok) : -1;
            if (!ok || seconds <= 0 || seconds > 7 * 24 * 3600)
                return cli::usageError(kCommand,
                                       QStringLiteral("--seconds needs a positive number"));
        } else if (arg.startsWith(QLatin1String("--"))) {
            return cli::usageError(kCommand, QStringLiteral("unknown option %1").arg(arg));
        } else if (port.isEmpty()) {
            port = arg;
        } else {
            return cli::usageError(kCommand, QStringLiteral("one PORT only"));
        }
    }
    if (port.isEmpty())
        return cli::usageError(kCommand, QStringLiteral("no PORT given"));
    if (dir.isEmpty())
        return cli::usageError(kCommand, QStringLiteral("no --dir given"));

    const QFileInfo folder(dir);
    if (!folder.isDir())
        return fail(QStringLiteral("%1 is not a folder").arg(QDir::toNativeSeparators(dir)));
    if (!folder.isWritable())
        return fail(QStringLiteral("cannot write to %1").arg(QDir::toNativeSeparators(dir)));

    // Settings of its own, so that connecting from here changes nothing the window keeps
    // (last port, managed devices).
    QTemporaryDir settingsHome;
    if (!settingsHome.isValid())
        return fail(QStringLiteral("no temporary folder for the settings: %1")
                        .arg(settingsHome.errorString()));
    qputenv("LOCALAPPDATA", QDir::toNativeSeparators(settingsHome.path()).toLocal8Bit());

    const cli::Interrupt interrupt;

    gcs::Application app;
    app.setCurrentNav(QStringLiteral("record"));
    if (!app.connectSerial(port, baud))
        return fail(app.lastError().isEmpty() ? QStringLiteral("no PORT given") : app.lastError());
    const bool connected = interrupt.runUntil([&app]() { return !app.connecting(); },
                                              QDeadlineTimer(kConnectWaitMs));
    if (!connected)
        return fail(QStringLiteral("interrupted while connecting"));
    if (!app.currentManagedConnected()) {
        return fail(app.lastError().isEmpty() ? QStringLiteral("no unit answered on %1 at %2 baud")
                                                    .arg(port, QString::number(baud))
                                              : app.lastError());
    }

    // The record page shows the format of the first message; the files are named after it.
    interrupt.runUntil([&app]() { return !app.ins()->packetFormat().isEmpty(); },
                       QDeadlineTimer(kFormatWaitMs));
    if (interrupt.interrupted()) {
        app.disconnectPrimary();
        return fail(QStringLiteral("interrupted before recording"));
    }
    if (!app.startRecordInDir(dir))
        return fail(app.lastError());
    gcs::Recorder* recorder = app.recorder();
    cli::printOut(recorder->textPath());
    cli::printOut(recorder->rawPath());
    // A file that stops taking data is told as it happens.
    QObject::connect(recorder, &gcs::Recorder::writeFailed,
                     [](const QString& message) { cli::printErr(message); });

    QElapsedTimer clock;
    clock.start();
    const auto secondsText
        = [&clock]() { return QString::number(double(clock.elapsed()) / 1000.0, 'f', 1); };
    // The controller waits for a unit that went away and connects it again; the files
    // stay open meanwhile.
    QObject::connect(&app, &gcs::Application::reconnectingChanged, [&]() {
        if (app.reconnecting())
            tell(QStringLiteral("the unit went away after %1 s; waiting for it to come back")
                     .arg(secondsText()));
        else if (app.currentManagedConnected())
            tell(QStringLiteral("the unit is back after %1 s; recording goes on")
                     .arg(secondsText()));
    });
    interrupt.runUntil([]() { return false; }, QDeadlineTimer(qint64(seconds * 1000)));
    const QString rawPath = recorder->rawPath();
    const bool lost = !app.currentManagedConnected();
    app.stopRecord();
    app.disconnectPrimary();
    cli::printErr(QStringLiteral("recorded %1 s, %2 bytes%3")
                      .arg(secondsText(), QString::number(QFileInfo(rawPath).size()),
                           interrupt.interrupted() ? QStringLiteral(" (interrupted)") : QString()));
    if (lost)
        return fail(QStringLiteral("the unit went away and did not come back"));
    return 0;
}

} // namespace
