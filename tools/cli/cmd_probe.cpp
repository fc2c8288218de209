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
    QStringLiteral("check that a unit answers on a serial port at one baud"),
    QStringLiteral("usage: telvo-cli probe PORT [--baud N]\n"
                   "\n"
                   "Opens PORT at N baud (default 115200), sends the identification commands\n"
                   "and checks the reply for a binary frame or a text sentence, as the\n"
                   "program does before it connects. Exit 0 when the unit answered, 1 when\n"
                   "not (with the reason: no such port, or no answer), 2 for bad arguments."),
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
            return cli::usageError(kProbe, QStringLiteral("--baud needs a positive number"));
    }
    const QStringList positional = args.positionalArguments();
    if (positional.size() > 1)
        return cli::usageError(kProbe, QStringLiteral("one port only"));
    const QString port = gcs::portKeyFromText(positional.value(0));
    if (port.isEmpty())
        return cli::usageError(kProbe, QStringLiteral("no port given"));

    if (gcs::SerialProbe::tryInsLinkAt(port, baud)) {
        cli::printOut(
            QStringLiteral("%1 @ %2: the unit answered").arg(port, QString::number(baud)));
        return 0;
    }
    cli::printOut(gcs::serialPortExists(port) ? gcs::discoverytext::linkCheckFailed(port, baud)
                                              : gcs::discoverytext::portMissing(port));
    return 1;
}

cli::CliRegistration reg(kProbe);

} // namespace
