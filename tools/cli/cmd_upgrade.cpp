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
    QT_TRANSLATE_NOOP("telvo-cli", "通过串口升级设备固件"),
    QT_TRANSLATE_NOOP(
        "telvo-cli",
        "用法：telvo-cli upgrade PORT FILE [--baud N] [--hardware-reset]\n"
        "\n"
        "以 N 波特（默认 115200）连接 PORT 上的设备，用“#vorn,reset system*ff”与\n"
        "“$cmd,reset system*ff”将其复位进入引导程序，在 115200 重开串口，待引导程序请求\n"
        "后（20 s 内）用 YModem 发送 FILE，然后将串口恢复为 N 波特。\n"
        "使用 --hardware-reset 时不发送指令：请在这 20 s 内手动复位设备（断电或复位键）。\n"
        "进度输出到标准错误。Ctrl+C 取消。\n"
        "退出状态：0 固件已发送；1 升级失败；2 参数错误。"),
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
