// telvo-cli record: the window's recording flow from the command line.
#include "CliCommand.h"
#include "Interrupt.h"

#include "app/Application.h"
#include "discovery/DiscoveryTexts.h"
#include "ins/InsBridge.h"
#include "link/SerialPortName.h"
#include "record/Recorder.h"

#include <QCommandLineParser>
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

int runRecord(const QCommandLineParser& args);

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
        "A file that stops taking data (a full disk) ends the recording at once; the\n"
        "command says how far it got and what the two files kept.\n"
        "\n"
        "Exit status: 0 when a recording was made and closed with the unit connected; 1\n"
        "when no unit answers on PORT, the port does not open or is not there, DIR cannot\n"
        "be written, a file stopped taking data, or the unit went away and had not come\n"
        "back by the end; 2 on bad arguments."),
    { cli::valued(QStringLiteral("baud"), QStringLiteral("N")),
      cli::valued(QStringLiteral("dir"), QStringLiteral("DIR")),
      cli::valued(QStringLiteral("seconds"), QStringLiteral("S")) },
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

/// The size of each file as it stands, for the user to know what was kept.
QString filesKept(const gcs::Recorder& recorder)
{
    QStringList kept;
    for (const QString& path : { recorder.textPath(), recorder.rawPath() }) {
        const QFileInfo file(path);
        if (file.exists())
            kept << QStringLiteral("%1（%2 字节）")
                        .arg(QDir::toNativeSeparators(path), QString::number(file.size()));
    }
    return kept.join(QStringLiteral("，"));
}

int runRecord(const QCommandLineParser& args)
{
    int baud = kDefaultBaud;
    double seconds = kDefaultSeconds;
    if (const int error = cli::parseBaud(kCommand, args, baud))
        return error;
    const QString dir = args.value(QStringLiteral("dir"));
    if (args.isSet(QStringLiteral("seconds"))) {
        bool ok = false;
        seconds = args.value(QStringLiteral("seconds")).toDouble(&ok);
        if (!ok || seconds <= 0 || seconds > 7 * 24 * 3600)
            return cli::usageError(kCommand, QStringLiteral("--seconds needs a positive number"));
    }
    const QStringList positional = args.positionalArguments();
    if (positional.size() > 1)
        return cli::usageError(kCommand, QStringLiteral("one PORT only"));
    const QString port = positional.value(0);
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
        if (!gcs::serialPortExists(port))
            return fail(gcs::discoverytext::portMissing(gcs::portKeyFromText(port)));
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
    QElapsedTimer clock;
    clock.start();
    const auto secondsText
        = [&clock]() { return QString::number(double(clock.elapsed()) / 1000.0, 'f', 1); };
    // A file that stops taking data is told as it happens, and ends the recording: what
    // comes after it would be lost.
    QString failedAt;
    QObject::connect(recorder, &gcs::Recorder::writeFailed, [&](const QString& message) {
        tell(message);
        if (failedAt.isEmpty())
            failedAt = secondsText();
    });
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
    interrupt.runUntil([&]() { return !failedAt.isEmpty() || !recorder->recording(); },
                       QDeadlineTimer(qint64(seconds * 1000)));
    const QString rawPath = recorder->rawPath();
    const bool lost = !app.currentManagedConnected();
    // Stopping writes what the buffers still hold: that too may fail.
    app.stopRecord();
    app.disconnectPrimary();
    if (!failedAt.isEmpty()) {
        return fail(QStringLiteral("写入失败，记录在 %1 s 时停止；已保存：%2")
                        .arg(failedAt, filesKept(*recorder)));
    }
    cli::printErr(QStringLiteral("recorded %1 s, %2 bytes%3")
                      .arg(secondsText(), QString::number(QFileInfo(rawPath).size()),
                           interrupt.interrupted() ? QStringLiteral(" (interrupted)") : QString()));
    if (lost)
        return fail(QStringLiteral("the unit went away and did not come back"));
    return 0;
}

} // namespace
