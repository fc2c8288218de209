// telvo-cli adev: the noise analysis of a recording made at rest.
#include "CliCommand.h"

#include "analysis/NoiseAnalysis.h"

#include <QCommandLineParser>
#include <QJsonDocument>

#include <cmath>

namespace {

int runAdev(const QCommandLineParser& args);

const cli::CliCommand kCommand {
    QStringLiteral("adev"),
    QStringLiteral("Allan deviation and noise figures of a recording made at rest"),
    QStringLiteral(
        "usage: telvo-cli adev [--rate HZ] [--json] CAPTURE\n"
        "\n"
        "Reads the gyro and accelerometer values of every record in CAPTURE (a recording's\n"
        "message log or a raw capture), computes the overlapping Allan deviation of each of\n"
        "the six channels at cluster times of 1, 2, 4, ... samples and about ten more per\n"
        "decade, as long as ten clusters fit, and reads the noise figures off the curves:\n"
        "angle random walk (deg/sqrt(h)) and velocity random walk (m/s/sqrt(h)) from the\n"
        "line of slope -1/2 through the white-noise region at tau = 1 s, bias instability\n"
        "(deg/h, mg) as the curve's minimum over 0.664. Gyro curves are in deg/h,\n"
        "accelerometer curves in mg. It also says whether the unit was at rest: the\n"
        "figures of a recording in motion mean nothing; and whether the recording is one\n"
        "continuous stretch: lost frames or an unplugged unit skew the curves likewise.\n"
        "A bias instability marked \"≤\" is only an upper bound: the curve still falls at\n"
        "the longest tau.\n"
        "\n"
        "options:\n"
        "  --rate HZ  the sampling rate; by default it is read from a message log's host\n"
        "             times (a raw capture has none, so it needs this option)\n"
        "  --json     one JSON object instead: rate_hz, samples, tau (s), adev {gx, gy, gz\n"
        "             in deg/h, ax, ay, az in mg, one value per tau}, arw_deg_sqrt_h and\n"
        "             bias_instability_deg_h {gx, gy, gz}, vrw_m_s_sqrt_h and\n"
        "             accel_bias_instability_mg {ax, ay, az}, bias_instability_tau_s,\n"
        "             at_rest, rest_reason, and warning when the file broke off, then\n"
        "             bias_instability_upper_bound {all six, true for an upper bound},\n"
        "             continuous and gap_reason; a figure that cannot be read is null\n"
        "  --help     this text\n"
        "\n"
        "Exit status: 0 on a result, 1 when the file cannot be read or analysed (too few\n"
        "records, no rate), 2 on bad arguments, 3 when the file broke off at a fault (the\n"
        "result covers what came before it)."),
    { cli::valued(QStringLiteral("rate"), QStringLiteral("HZ")),
      cli::flag(QStringLiteral("json")) },
    runAdev,
};

const cli::CliRegistration kRegistration(kCommand);

int runAdev(const QCommandLineParser& args)
{
    const bool json = args.isSet(QStringLiteral("json"));
    double rate = 0;
    if (args.isSet(QStringLiteral("rate"))) {
        bool ok = false;
        rate = args.value(QStringLiteral("rate")).toDouble(&ok);
        if (!ok || !std::isfinite(rate) || rate <= 0)
            return cli::usageError(kCommand, QStringLiteral("--rate must be a number above 0"));
    }
    const QStringList files = args.positionalArguments();
    if (const int error = cli::oneCapture(kCommand, files))
        return error;
    const gcs::NoiseResult result = gcs::NoiseAnalysis::run(files.first(), rate);
    if (!result.ok) {
        cli::printErr(QStringLiteral("telvo-cli adev: ") + result.error);
        return 1;
    }
    if (json)
        cli::printOut(
            QString::fromUtf8(QJsonDocument(result.toJson()).toJson(QJsonDocument::Compact)));
    else
        cli::writeOut(result.toText().toUtf8());
    if (!result.atRest)
        cli::printErr(QStringLiteral("telvo-cli adev: the unit was not at rest: ")
                      + result.restReason);
    if (!result.continuous())
        cli::printErr(QStringLiteral("telvo-cli adev: the recording has gaps, analysed as if "
                                     "continuous: ")
                      + result.gapReason);
    if (!result.warning.isEmpty()) {
        cli::printErr(QStringLiteral("telvo-cli adev: ") + result.warning);
        return 3;
    }
    return 0;
}

} // namespace
