// telvo-cli detect: the connection dialog's port and baud detection.
#include "CliCommand.h"
#include "Interrupt.h"

#include "catalog/AppSettings.h"
#include "discovery/DiscoveryTexts.h"
#include "discovery/SerialPortListing.h"
#include "discovery/SerialProbe.h"

namespace {

int runDetect(const QStringList& args);

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
    &runDetect,
};

int runDetect(const QStringList& args)
{
    QString preferredPort;
    int preferredBaud = 115200;
    QStringList ports;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--port")) {
            if (i + 1 >= args.size())
                return cli::usageError(kDetect, QStringLiteral("--port needs a port"));
            preferredPort = args[++i];
        } else if (args[i] == QLatin1String("--baud")) {
            bool ok = false;
            preferredBaud = i + 1 < args.size() ? args[++i].toInt(&ok) : 0;
            if (!ok || preferredBaud < 1)
                return cli::usageError(kDetect, QStringLiteral("--baud needs a positive number"));
        } else if (args[i].startsWith(QLatin1String("--"))) {
            return cli::usageError(kDetect, QStringLiteral("unknown option %1").arg(args[i]));
        } else {
            ports.append(args[i]);
        }
    }
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
