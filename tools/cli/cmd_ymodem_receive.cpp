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
    QT_TRANSLATE_NOOP("telvo-cli", "通过串口用 YModem 接收文件"),
    QT_TRANSLATE_NOOP(
        "telvo-cli",
        "用法：telvo-cli ymodem-receive PORT FILE [--baud N]\n"
        "\n"
        "通过串口 PORT 以 N 波特（默认 115200）用 YModem（CRC-16）接收一个文件，写入\n"
        "FILE，不管发送方给它取什么名字。只以“C”请求一次；发送方须在 15 s 内开始。\n"
        "进度输出到标准错误：在终端上为进度条，否则每 10 % 一行。\n"
        "Ctrl+C 取消传输。退出状态：0 文件已收到；1 传输失败（附原因）；2 参数错误。"),
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
