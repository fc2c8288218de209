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
    QStringLiteral("sweep serial ports and rates for units (at most three)"),
    QStringLiteral("usage: telvo-cli search [PORT...]\n"
                   "\n"
                   "Asks every PORT (default: the computer's serial ports) at every rate of\n"
                   "the program's list, with your own rates from its settings, and stops\n"
                   "after three ports answered. Prints one line \"PORT BAUD PRODUCT\" per\n"
                   "answering port; exits 0 with at least one, else 1. Ctrl-C stops it at\n"
                   "once (exit 130) after printing the ports found so far."),
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
        cli::printErr(QStringLiteral("telvo-cli search: interrupted"));
        return cli::Interrupt::kExitCode;
    }
    return hits.isEmpty() ? 1 : 0;
}

cli::CliRegistration reg(kSearch);

} // namespace
