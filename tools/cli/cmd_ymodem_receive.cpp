// telvo-cli ymodem-receive: the YModem engine alone, receiving one file over a serial port.
#include "CliCommand.h"

#include "upgrade/ConsoleTransfer.h"
#include "upgrade/UpgradeFlow.h"

#include <cstdio>

namespace {

int run(const QStringList& args);

const cli::CliCommand kCommand {
    QStringLiteral("ymodem-receive"),
    QStringLiteral("receive a file with YModem over a serial port"),
    QStringLiteral("usage: telvo-cli ymodem-receive PORT FILE [--baud N]\n"
                   "\n"
                   "Receives one file with YModem (CRC-16) over the serial port PORT at N baud\n"
                   "(default 115200) and writes it to FILE, whatever name the sender gives it.\n"
                   "It asks once with 'C'; the sender has 15 s to begin.\n"
                   "Progress goes to standard error: a bar on a terminal, else a line per 10 %.\n"
                   "Ctrl+C cancels the transfer. Exit status: 0 when the file was received, 1 when\n"
                   "the transfer failed (with the reason), 2 for bad arguments."),
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
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--baud")) {
            bool ok = false;
            baud = i + 1 < args.size() ? args[++i].toInt(&ok) : 0;
            if (!ok || baud < 300 || baud > 3000000)
                return cli::usageError(kCommand, QStringLiteral("--baud needs a rate of 300 to 3000000"));
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
        cli::printErr(QStringLiteral("telvo-cli ymodem-receive: cannot open %1: %2")
                          .arg(positional[0], transfer.errorText()));
        return 1;
    }
    transfer.engine()->startReceive(positional[1]);
    if (!transfer.waitForEnd()) {
        cli::printErr(QStringLiteral("telvo-cli ymodem-receive: %1").arg(transfer.message()));
        return 1;
    }
    cli::printOut(transfer.message());
    return 0;
}

} // namespace
