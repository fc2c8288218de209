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
    QT_TRANSLATE_NOOP("telvo-cli", "通过串口用 YModem 发送文件"),
    QT_TRANSLATE_NOOP(
        "telvo-cli",
        "用法：telvo-cli ymodem-send PORT FILE [--baud N]\n"
        "\n"
        "通过串口 PORT 以 N 波特（默认 115200）用 YModem（CRC-16，1024 字节的块）发送\n"
        "FILE，最多等待 20 s 接收方的“C”。\n"
        "进度输出到标准错误：在终端上为进度条，否则每 10 % 一行。\n"
        "Ctrl+C 取消传输。退出状态：0 文件已发送；1 传输失败（附原因）；2 参数错误。"),
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
