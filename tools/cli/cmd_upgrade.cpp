// telvo-cli upgrade: the firmware upgrade procedure of the window, run from a console.
#include "CliCommand.h"

#include "upgrade/ConsoleTransfer.h"
#include "upgrade/UpgradeFlow.h"

#include <cstdio>

namespace {

int run(const QStringList& args);

constexpr int kSettleMs = 300;

const cli::CliCommand kCommand {
    QStringLiteral("upgrade"),
    QStringLiteral("upgrade a unit's firmware over its serial port"),
    QStringLiteral("usage: telvo-cli upgrade PORT FILE [--baud N] [--hardware-reset]\n"
                   "\n"
                   "Connects to the unit at PORT and N baud (default 115200), resets it into its\n"
                   "boot loader with \"#vorn,reset system*ff\" and \"$cmd,reset system*ff\",\n"
                   "reopens the port at 115200, sends FILE with YModem once the boot loader asks\n"
                   "for it (within 20 s), and returns the port to N baud.\n"
                   "With --hardware-reset no command is sent: reset the unit by hand (power or\n"
                   "reset key) within the 20 s. Progress goes to standard error. Ctrl+C cancels.\n"
                   "Exit status: 0 when the firmware was sent, 1 when the upgrade failed, 2 for\n"
                   "bad arguments."),
    &run,
};
const cli::CliRegistration kRegistration(kCommand);

void writeRaw(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

int run(const QStringList& args)
{
    QStringList positional;
    int baud = gcs::UpgradeFlow::kBootloaderBaud;
    bool hardwareReset = false;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--baud")) {
            bool ok = false;
            baud = i + 1 < args.size() ? args[++i].toInt(&ok) : 0;
            if (!ok || baud < 300 || baud > 3000000)
                return cli::usageError(kCommand, QStringLiteral("--baud needs a rate of 300 to 3000000"));
        } else if (args[i] == QLatin1String("--hardware-reset")) {
            hardwareReset = true;
        } else if (args[i].startsWith(QLatin1String("--"))) {
            return cli::usageError(kCommand, QStringLiteral("unknown option %1").arg(args[i]));
        } else {
            positional << args[i];
        }
    }
    if (positional.size() != 2)
        return cli::usageError(kCommand, QStringLiteral("expected PORT and FILE"));

    gcs::ConsoleTransfer transfer(&writeRaw, gcs::ProgressReport::standardErrorIsTerminal());
    if (!transfer.openSerial(positional[0], baud)) {
        cli::printErr(QStringLiteral("telvo-cli upgrade: cannot open %1: %2")
                          .arg(positional[0], transfer.errorText()));
        return 1;
    }
    gcs::UpgradeFlow flow(transfer.engine(), [&transfer] { return transfer.session(); });
    QObject::connect(&flow, &gcs::UpgradeFlow::errorReported, [&transfer](const QString& text) {
        if (!text.isEmpty())
            transfer.printLine(QStringLiteral("telvo-cli upgrade: %1").arg(text));
    });
    QObject::connect(&flow, &gcs::UpgradeFlow::noticeReported,
                     [&transfer](const QString& text) { transfer.printLine(text); });
    flow.syncYModemTransport();
    // In the window a unit is connected long before it is upgraded; here it gets a moment
    // after the port opened before the reset goes out.
    transfer.settle(kSettleMs);

    bool started = false;
    if (hardwareReset) {
        flow.setUpgradeFile(positional[1]);
        started = flow.startUpgradeAfterHardwareReset();
    } else {
        started = flow.startUpgrade(positional[1]);
    }
    // The flow has already put the port back to its rate when this returns.
    const bool ok = transfer.waitForEnd();
    return started && ok ? 0 : 1;
}

} // namespace
