// telvo-cli probe: the link check made before every serial connection.
#include "CliCommand.h"

#include "discovery/DiscoveryTexts.h"
#include "discovery/SerialProbe.h"
#include "link/SerialPortName.h"

#include <QCommandLineParser>

namespace {

int runProbe(const QCommandLineParser& args);

const cli::CliCommand kProbe {
    QStringLiteral("probe"),
    QT_TRANSLATE_NOOP("telvo-cli", "检查设备是否在某个串口的某一波特率上应答"),
    QT_TRANSLATE_NOOP(
        "telvo-cli",
        "用法：telvo-cli probe PORT [--baud N]\n"
        "\n"
        "以 N 波特（默认 115200）打开 PORT，发送识别指令，并像程序在连接前那样检查回复中\n"
        "有没有二进制帧或文本语句。设备应答时退出码为 0，未应答时为 1（并说明原因：没有\n"
        "这个串口，或没有应答），参数错误时为 2。"),
    { cli::valued(QStringLiteral("baud"), QStringLiteral("N")) },
    &runProbe,
};

int runProbe(const QCommandLineParser& args)
{
    int baud = 115200;
    if (args.isSet(QStringLiteral("baud"))) {
        bool ok = false;
        baud = args.value(QStringLiteral("baud")).toInt(&ok);
        if (!ok || baud < 1)
            return cli::usageError(kProbe,
                                   QCoreApplication::translate("telvo-cli", "--baud 需要一个正数"));
    }
    const QStringList positional = args.positionalArguments();
    if (positional.size() > 1)
        return cli::usageError(kProbe,
                               QCoreApplication::translate("telvo-cli", "只能给出一个串口"));
    const QString port = gcs::portKeyFromText(positional.value(0));
    if (port.isEmpty())
        return cli::usageError(kProbe, QCoreApplication::translate("telvo-cli", "未给出串口"));

    if (gcs::SerialProbe::tryInsLinkAt(port, baud)) {
        cli::printOut(QCoreApplication::translate("telvo-cli", "%1 @ %2：设备已应答")
                          .arg(port, QString::number(baud)));
        return 0;
    }
    cli::printOut(gcs::serialPortExists(port) ? gcs::discoverytext::linkCheckFailed(port, baud)
                                              : gcs::discoverytext::portMissing(port));
    return 1;
}

cli::CliRegistration reg(kProbe);

} // namespace
