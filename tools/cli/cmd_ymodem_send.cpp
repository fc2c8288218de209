// telvo-cli ymodem-send: the YModem engine alone, sending one file over a serial port.
#include "CliCommand.h"
#include "CliTransfer.h"

#include "upgrade/ConsoleTransfer.h"
#include "upgrade/UpgradeFlow.h"

#include <QCommandLineParser>

namespace {

int run(const QCommandLineParser& args);

const cli::CliCommand kCommand {
    QStringLiteral("ymodem-send"),
    QStringLiteral("send a file with YModem over a serial port"),
    QStringLiteral("usage: telvo-cli ymodem-send PORT FILE [--baud N]\n"
                   "\n"
                   "Sends FILE with YModem (CRC-16, 1024-byte blocks) over the serial port PORT\n"
                   "at N baud (default 115200), waiting up to 20 s for the receiver's 'C'.\n"
                   "Progress goes to standard error: a bar on a terminal, else a line per 10 %.\n"
                   "Ctrl+C cancels the transfer. Exit status: 0 when the file was sent, 1 when\n"
                   "the transfer failed (with the reason), 2 for bad arguments."),
    cli::transferOptions(),
    &run,
};
const cli::CliRegistration kRegistration(kCommand);

int run(const QCommandLineParser& args)
{
    cli::TransferArgs a;
    if (const int bad = cli::parseTransferArgs(kCommand, args, a))
        return bad;
    gcs::ConsoleTransfer transfer(&cli::writeStandardErrorRaw,
                                  gcs::ProgressReport::standardErrorIsTerminal());
    if (!cli::openTransferLink(kCommand, transfer, a))
        return 1;
    if (transfer.engine()->startSend(a.file))
        transfer.engine()->beginHandshake(gcs::YModem::kDefaultHandshakeMs);
    if (!transfer.waitForEnd()) {
        cli::printErr(QStringLiteral("telvo-cli ymodem-send: %1").arg(transfer.message()));
        return 1;
    }
    cli::printOut(transfer.message());
    return 0;
}

} // namespace
