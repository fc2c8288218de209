// telvo-cli search: the automatic search's sweep over serial ports.
#include "CliCommand.h"
#include "Interrupt.h"

#include "catalog/AppSettings.h"
#include "discovery/SerialPortListing.h"
#include "discovery/SerialProbe.h"

#include <QCommandLineParser>

namespace {

int runSearch(const QCommandLineParser& args);

const cli::CliCommand kSearch {
    QStringLiteral("search"),
    QT_TRANSLATE_NOOP("telvo-cli", "扫描各串口与波特率查找设备（最多三台）"),
    QT_TRANSLATE_NOOP(
        "telvo-cli",
        "用法：telvo-cli search [PORT...]\n"
        "\n"
        "以程序列表中的每个波特率（加上其设置中您自己的波特率）询问每个 PORT（默认：本机\n"
        "的串口），三个串口应答后停止。每个应答的串口输出一行“PORT BAUD PRODUCT”；至少\n"
        "找到一个时以 0 退出，否则以 1 退出。Ctrl-C 立即停止（退出码 130），并先输出\n"
        "已找到的串口。"),
    {},
    &runSearch,
};

int runSearch(const QCommandLineParser& args)
{
    QStringList ports = args.positionalArguments();
    if (ports.isEmpty()) {
        for (const gcs::SerialPortListing& port : gcs::platformSerialPorts())
            ports.append(port.name);
    }
    const gcs::AppSettings settings;
    const QList<int> bauds = gcs::SerialProbe::withCustomBauds(settings.customSerialBauds());

    const cli::Interrupt interrupt;
    const QList<gcs::SerialProbeHit> hits = gcs::SerialProbe::probeAllPorts(
        ports, gcs::SerialProbe::kAutoSearchMaxHits, bauds, interrupt.cancel());
    for (const gcs::SerialProbeHit& hit : hits)
        cli::printOut(
            QStringLiteral("%1 %2 %3").arg(hit.port, QString::number(hit.baud), hit.productId));
    if (interrupt.interrupted()) {
        cli::printErr(QStringLiteral("telvo-cli search: ")
                      + QCoreApplication::translate("telvo-cli", "已中断"));
        return cli::Interrupt::kExitCode;
    }
    return hits.isEmpty() ? 1 : 0;
}

cli::CliRegistration reg(kSearch);

} // namespace
