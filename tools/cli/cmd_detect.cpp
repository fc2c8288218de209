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
    QStringLiteral("find the port and baud a unit answers on"),
    QStringLiteral("usage: telvo-cli detect [--port TEXT] [--baud N] [PORT...]\n"
                   "\n"
                   "Tries the port named by TEXT (its first word; the window's lists show\n"
                   "\"name  description\") first, at N baud (default 115200) and then at the\n"
                   "other rates, then every other PORT (default: the computer's serial ports)\n"
                   "at the rates in list order. The rates are the program's list, with your\n"
                   "own rates from its settings. Prints PORT:BAUD and exits 0 for the first\n"
                   "pair that answers, or exits 1. Ctrl-C stops it at once (exit 130)."),
    { cli::valued(QStringLiteral("port"), QStringLiteral("TEXT")),
      cli::valued(QStringLiteral("baud"), QStringLiteral("N")) },
    &runDetect,
};

int runDetect(const QCommandLineParser& args)
{
    const QString preferredPort = args.value(QStringLiteral("port"));
    if (args.isSet(QStringLiteral("port")) && preferredPort.isEmpty())
        return cli::usageError(kDetect, QStringLiteral("--port needs a port"));
    int preferredBaud = 115200;
    if (args.isSet(QStringLiteral("baud"))) {
        bool ok = false;
        preferredBaud = args.value(QStringLiteral("baud")).toInt(&ok);
        if (!ok || preferredBaud < 1)
            return cli::usageError(kDetect, QStringLiteral("--baud needs a positive number"));
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
        cli::printErr(QStringLiteral("telvo-cli detect: interrupted"));
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
