// telvo-cli ymodem-receive: the YModem engine alone, receiving one file over a serial port.
#include "CliCommand.h"
#include "CliTransfer.h"

#include "upgrade/ConsoleTransfer.h"
#include "upgrade/UpgradeFlow.h"

#include <QCommandLineParser>

namespace {

int run(const QCommandLineParser& args);

const cli::CliCommand kCommand {
    QStringLiteral("ymodem-receive"),
    QStringLiteral("receive a file with YModem over a serial port"),
    QStringLiteral(
        "usage: telvo-cli ymodem-receive PORT FILE [--baud N]\n"
        "\n"
        "Receives one file with YModem (CRC-16) over the serial port PORT at N baud\n"
        "(default 115200) and writes it to FILE, whatever name the sender gives it.\n"
        "It asks once with 'C'; the sender has 15 s to begin.\n"
        "Progress goes to standard error: a bar on a terminal, else a line per 10 %.\n"
        "Ctrl+C cancels the transfer. Exit status: 0 when the file was received, 1 when\n"
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
    transfer.engine()->startReceive(a.file);
    if (!transfer.waitForEnd()) {
        cli::printErr(QStringLiteral("telvo-cli ymodem-receive: %1").arg(transfer.message()));
        return 1;
    }
    cli::printOut(transfer.message());
    return 0;
}

} // namespace
