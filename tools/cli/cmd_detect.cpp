// telvo-cli detect: the connection dialog's port and baud detection.
#include "CliCommand.h"
#include "Interrupt.h"

#include "catalog/AppSettings.h"
#include "discovery/DiscoveryTexts.h"
#include "discovery/SerialPortListing.h"
#include "discovery/SerialProbe.h"

#include <QCommandLineParser>

namespace {

int runDetect(const QCommandLineParser& args);

const cli::CliCommand kDetect {
    QStringLiteral("detect"),
    QT_TRANSLATE_NOOP("telvo-cli", "查找设备应答的串口与波特率"),
    QT_TRANSLATE_NOOP(
        "telvo-cli",
        "用法：telvo-cli detect [--port TEXT] [--baud N] [PORT...]\n"
        "\n"
        "先以 N 波特（默认 115200）、再以其他波特率试 TEXT 所指的串口（取其第一个词；\n"
        "窗口的列表显示为“名称  描述”），然后按列表顺序以各波特率试其余每个 PORT（默认：\n"
        "本机的串口）。波特率取程序的列表，加上其设置中您自己的波特率。对第一个有应答的\n"
        "组合输出 PORT:BAUD 并以 0 退出，否则以 1 退出。Ctrl-C 立即停止（退出码 130）。"),
    { cli::valued(QStringLiteral("port"), QStringLiteral("TEXT")),
      cli::valued(QStringLiteral("baud"), QStringLiteral("N")) },
    &runDetect,
};

int runDetect(const QCommandLineParser& args)
{
    const QString preferredPort = args.value(QStringLiteral("port"));
    if (args.isSet(QStringLiteral("port")) && preferredPort.isEmpty())
        return cli::usageError(kDetect,
                               QCoreApplication::translate("telvo-cli", "--port 需要一个串口"));
    int preferredBaud = 115200;
    if (args.isSet(QStringLiteral("baud"))) {
        bool ok = false;
        preferredBaud = args.value(QStringLiteral("baud")).toInt(&ok);
        if (!ok || preferredBaud < 1)
            return cli::usageError(kDetect,
                                   QCoreApplication::translate("telvo-cli", "--baud 需要一个正数"));
    }
    QStringList ports = args.positionalArguments();
    if (ports.isEmpty()) {
        for (const gcs::SerialPortListing& port : gcs::platformSerialPorts())
            ports.append(port.name);
    }
    const gcs::AppSettings settings;
    const QList<int> bauds = gcs::SerialProbe::withCustomBauds(settings.customSerialBauds());

    const cli::Interrupt interrupt;
    const gcs::DetectLinkResult result = gcs::SerialProbe::runDetectSerialLink(
        preferredPort, preferredBaud, ports, bauds, interrupt.cancel());
    if (interrupt.interrupted()) {
        cli::printErr(QStringLiteral("telvo-cli detect: ")
                      + QCoreApplication::translate("telvo-cli", "已中断"));
        return cli::Interrupt::kExitCode;
    }
    if (!result.ok) {
        cli::printOut(gcs::discoverytext::detectNoMatch());
        return 1;
    }
    cli::printOut(result.text());
    return 0;
}

cli::CliRegistration reg(kDetect);

} // namespace
