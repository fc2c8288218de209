// telvo-cli export: a capture as a CSV table or a KML track.
#include "CliCommand.h"

#include "capture/CaptureExport.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>

#include <cstdio>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#endif

namespace {

int runExport(const QCommandLineParser& args);

const cli::CliCommand kCommand {
    QStringLiteral("export"),
    QStringLiteral("export a capture's navigation records as CSV or its track as KML"),
    QStringLiteral(
        "usage: telvo-cli export [--format csv|kml] [--out FILE] CAPTURE\n"
        "\n"
        "Reads CAPTURE (a raw capture such as a recording's \".bin\", or its message log\n"
        "\".txt\") through the program's decoder and writes:\n"
        "  csv   one row per navigation record: UTF-8 with a byte-order mark, a header\n"
        "        row, RFC 4180 quoting; the columns time (the log's host time; in a raw\n"
        "        capture the seconds since the first record by the unit's time tag, empty\n"
        "        for a format without one), format, count, roll, pitch, yaw, gx, gy, gz,\n"
        "        ax, ay, az, temp, lat, lon, alt, ve, vn, vu, gnss_heading, utc,\n"
        "        gnss_status, device_status; a cell is empty where the record's format\n"
        "        does not carry the value (IMU: no attitude, no position; no count but in\n"
        "        imubin and ahrsasc). A value the unit sends scaled is written with the\n"
        "        decimals of its scale (7 for degrees of latitude and longitude). This is\n"
        "        the default.\n"
        "  kml   the GNSS track of the records that carry a position, as a KML 2.2\n"
        "        LineString with placemarks at its start and end; long tracks are thinned\n"
        "        to at most 20000 points, keeping the first and the last.\n"
        "\n"
        "options:\n"
        "  --format F  csv or kml (default csv)\n"
        "  --out FILE  write FILE, which appears only once the export is complete\n"
        "              (default: standard output); never CAPTURE itself\n"
        "  --help      this text\n"
        "\n"
        "Exit status: 0 when everything was exported; 1 when CAPTURE cannot be read, is no\n"
        "capture, holds no position (kml), FILE is CAPTURE itself, or the output cannot be\n"
        "written (with the system's reason); 2 on bad arguments; 3 when the capture breaks\n"
        "off (a damaged log line): the records before the fault are exported and the\n"
        "message says where."),
    { cli::valued(QStringLiteral("format"), QStringLiteral("F")),
      cli::valued(QStringLiteral("out"), QStringLiteral("FILE")) },
    runExport,
};

const cli::CliRegistration kRegistration(kCommand);

int fail(const QString& message)
{
    cli::printErr(QStringLiteral("telvo-cli export: ") + message);
    return 1;
}

int runExport(const QCommandLineParser& args)
{
    gcs::CaptureExport::Format format = gcs::CaptureExport::Format::Csv;
    if (const QString value = args.value(QStringLiteral("format"));
        args.isSet(QStringLiteral("format")) && !gcs::CaptureExport::formatFromName(value, format))
        return cli::usageError(kCommand,
                               QStringLiteral("--format is csv or kml, not \"%1\"").arg(value));
    const QString outPath = args.value(QStringLiteral("out"));
    if (args.isSet(QStringLiteral("out")) && outPath.isEmpty())
        return cli::usageError(kCommand, QStringLiteral("--out needs a FILE"));
    const QStringList files = args.positionalArguments();
    if (const int error = cli::oneCapture(kCommand, files))
        return error;

    gcs::CaptureExport::Result result;
    if (outPath.isEmpty()) {
#ifdef Q_OS_WIN
        // CSV ends its lines with CR LF itself; text mode would double the CR.
        _setmode(_fileno(stdout), _O_BINARY);
#endif
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly, QFileDevice::DontCloseHandle))
            return fail(QStringLiteral("cannot write to standard output"));
        result = gcs::CaptureExport::run(files.first(), &out, format);
        // The last of it is still in the buffers: it may be what does not fit.
        if (!out.flush() && result.ok)
            return fail(QStringLiteral("cannot write to standard output: ") + out.errorString());
    } else {
        result = gcs::CaptureExport::toFile(files.first(), outPath, format);
    }
    if (!result.ok)
        return fail(result.error);
    if (!outPath.isEmpty())
        cli::printErr(QStringLiteral("%1 records, %2 %3 written to %4")
                          .arg(result.records)
                          .arg(result.written)
                          .arg(format == gcs::CaptureExport::Format::Csv
                                   ? QStringLiteral("rows")
                                   : QStringLiteral("track points"),
                               QDir::toNativeSeparators(outPath)));
    if (!result.warning.isEmpty()) {
        cli::printErr(QStringLiteral("telvo-cli export: ") + result.warning);
        return 3;
    }
    return 0;
}

} // namespace
