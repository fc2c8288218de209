#include "CliTransfer.h"

#include "upgrade/ConsoleTransfer.h"

#include <cstdio>

namespace cli {

int parseTransferArgs(const CliCommand& command, const QStringList& args, TransferArgs& out,
                      bool allowHardwareReset)
{
    QStringList positional;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--baud")) {
            const QString value = i + 1 < args.size() ? args[++i] : QString();
            if (const int error = parseBaud(command, value, out.baud))
                return error;
        } else if (allowHardwareReset && args[i] == QLatin1String("--hardware-reset")) {
            out.hardwareReset = true;
        } else if (args[i].startsWith(QLatin1String("--"))) {
            return usageError(command, QStringLiteral("unknown option %1").arg(args[i]));
        } else {
            positional << args[i];
        }
    }
    if (positional.size() != 2)
        return usageError(command, QStringLiteral("expected PORT and FILE"));
    out.port = positional[0];
    out.file = positional[1];
    return 0;
}

bool openTransferLink(const CliCommand& command, gcs::ConsoleTransfer& transfer,
                      const TransferArgs& args)
{
    if (transfer.openSerial(args.port, args.baud))
        return true;
    printErr(QStringLiteral("telvo-cli %1: cannot open %2: %3")
                 .arg(command.name, args.port, transfer.errorText()));
    return false;
}

void writeStandardErrorRaw(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

} // namespace cli
