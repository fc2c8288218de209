#include "CliTransfer.h"

#include "upgrade/ConsoleTransfer.h"

#include <QCommandLineParser>

#include <cstdio>

namespace cli {

QList<QCommandLineOption> transferOptions(bool allowHardwareReset)
{
    QList<QCommandLineOption> options { valued(QStringLiteral("baud"), QStringLiteral("N")) };
    if (allowHardwareReset)
        options << flag(QStringLiteral("hardware-reset"));
    return options;
}

int parseTransferArgs(const CliCommand& command, const QCommandLineParser& args, TransferArgs& out,
                      bool allowHardwareReset)
{
    if (const int error = parseBaud(command, args, out.baud))
        return error;
    out.hardwareReset = allowHardwareReset && args.isSet(QStringLiteral("hardware-reset"));
    const QStringList positional = args.positionalArguments();
    if (positional.size() != 2)
        return usageError(command, QCoreApplication::translate("telvo-cli", "需要 PORT 和 FILE"));
    out.port = positional[0];
    out.file = positional[1];
    return 0;
}

bool openTransferLink(const CliCommand& command, gcs::ConsoleTransfer& transfer,
                      const TransferArgs& args)
{
    if (transfer.openSerial(args.port, args.baud))
        return true;
    printErr(QStringLiteral("telvo-cli %1: ").arg(command.name)
             + QCoreApplication::translate("telvo-cli", "无法打开 %1：%2")
                   .arg(args.port, transfer.errorText()));
    return false;
}

void writeStandardErrorRaw(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

} // namespace cli
