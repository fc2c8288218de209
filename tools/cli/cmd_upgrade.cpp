// telvo-cli upgrade: the firmware upgrade procedure of the window, run from a console.
#include "CliCommand.h"
#include "CliTransfer.h"

#include "upgrade/ConsoleTransfer.h"
#include "upgrade/UpgradeFlow.h"

#include <QCommandLineParser>

namespace {

int run(const QCommandLineParser& args);

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
    cli::transferOptions(true),
    &run,
};
const cli::CliRegistration kRegistration(kCommand);

int run(const QCommandLineParser& args)
{
    cli::TransferArgs a;
    if (const int bad = cli::parseTransferArgs(kCommand, args, a, true))
        return bad;
    gcs::ConsoleTransfer transfer(&cli::writeStandardErrorRaw,
                                  gcs::ProgressReport::standardErrorIsTerminal());
    if (!cli::openTransferLink(kCommand, transfer, a))
        return 1;
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
    if (a.hardwareReset) {
        flow.setUpgradeFile(a.file);
        started = flow.startUpgradeAfterHardwareReset();
    } else {
        started = flow.startUpgrade(a.file);
    }
    // The flow has already put the port back to its rate when this returns.
    const bool ok = transfer.waitForEnd();
    return started && ok ? 0 : 1;
}

} // namespace
