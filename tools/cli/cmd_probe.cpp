// telvo-cli probe: the link check made before every serial connection.
#include "CliCommand.h"

#include "discovery/DiscoveryTexts.h"
#include "discovery/SerialProbe.h"
#include "link/SerialPortName.h"

namespace {

int runProbe(const QStringList& args);

const cli::CliCommand kProbe {
    QStringLiteral("probe"),
    QStringLiteral("check that a unit answers on a serial port at one baud"),
    QStringLiteral("usage: telvo-cli probe PORT [--baud N]\n"
                   "\n"
                   "Opens PORT at N baud (default 115200), sends the identification commands\n"
                   "and checks the reply for a binary frame or a text sentence, as the\n"
                   "program does before it connects. Exit 0 when the unit answered, 1 when\n"
                   "not (with the reason), 2 for bad arguments."),
    &runProbe,
};

int runProbe(const QStringList& args)
{
    QString portText;
    int baud = 115200;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--baud")) {
            bool ok = false;
            baud = i + 1 < args.size() ? args[++i].toInt(&ok) : 0;
            if (!ok || baud < 1)
                return cli::usageError(kProbe, QStringLiteral("--baud needs a positive number"));
        } else if (portText.isEmpty()) {
            portText = args[i];
        } else {
            return cli::usageError(kProbe, QStringLiteral("one port only"));
        }
    }
    const QString port = gcs::portKeyFromText(portText);
    if (port.isEmpty())
        return cli::usageError(kProbe, QStringLiteral("no port given"));

    if (gcs::SerialProbe::tryInsLinkAt(port, baud)) {
        cli::printOut(
            QStringLiteral("%1 @ %2: the unit answered").arg(port, QString::number(baud)));
        return 0;
    }
    cli::printOut(gcs::discoverytext::linkCheckFailed(port, baud));
    return 1;
}

cli::CliRegistration reg(kProbe);

} // namespace
