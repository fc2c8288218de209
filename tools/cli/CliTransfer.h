#pragma once

#include "CliCommand.h"

namespace gcs {
class ConsoleTransfer;
}

namespace cli {

/// The arguments the file-transfer subcommands share: PORT FILE [--baud N], and for the
/// upgrade [--hardware-reset].
struct TransferArgs
{
    QString port;
    QString file;
    int baud = 115200;
    bool hardwareReset = false;
};

/// The options of a transfer command: --baud N, and for the upgrade --hardware-reset.
QList<QCommandLineOption> transferOptions(bool allowHardwareReset = false);
/// Reads the parsed arguments into out; returns 0, or the exit code of a usage error
/// already printed. --hardware-reset is read only where allowHardwareReset is set (where
/// transferOptions gave it).
int parseTransferArgs(const CliCommand& command, const QCommandLineParser& args, TransferArgs& out,
                      bool allowHardwareReset = false);

/// Opens the transfer's serial link at the given port and baud; on failure prints
/// "telvo-cli NAME: cannot open PORT: reason" and returns false.
bool openTransferLink(const CliCommand& command, gcs::ConsoleTransfer& transfer,
                      const TransferArgs& args);

/// Writes text to standard error as it is (no line feed), for the live progress bar.
void writeStandardErrorRaw(const QString& text);

} // namespace cli
