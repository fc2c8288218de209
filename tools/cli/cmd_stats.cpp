// telvo-cli stats: the integrity report of a capture.
#include "CliCommand.h"

#include "capture/CaptureReport.h"

#include <QCommandLineParser>
#include <QJsonDocument>

namespace {

int runStats(const QCommandLineParser& args);

const cli::CliCommand kCommand {
    QStringLiteral("stats"),
    QStringLiteral("report what a capture holds and what the line lost"),
    QStringLiteral(
        "usage: telvo-cli stats [--json] CAPTURE\n"
        "\n"
        "Reads CAPTURE (a raw capture or a recording's message log) through the program's\n"
        "decoder and reports the counters the statistics page shows live: bytes decoded,\n"
        "binary frames, text sentences (navigation sentences and replies), navigation\n"
        "records, checksum errors, text lines rejected, skipped bytes (every byte that is\n"
        "part of no accepted message) and lost frames (gaps in a format's counter or, in\n"
        "sinsbin and sinsasc, in the steps of its time tag once its period is evident; a\n"
        "counter or time tag that jumps back or implausibly far is a resynchronisation,\n"
        "not a loss; frames whose checksum failed where neither can tell); for a message\n"
        "log also the number of messages, their rate and the longest silence between two\n"
        "of them.\n"
        "\n"
        "options:\n"
        "  --json   one JSON object instead, with the keys bytes, frames, sentences,\n"
        "           checksum_errors, text_errors, skipped_bytes, lost_frames, records,\n"
        "           kind (raw or message_log) and file_bytes; for a message log also\n"
        "           messages, duration_ms, message_rate and longest_silence_ms; error when\n"
        "           the reading stopped early\n"
        "  --help   this text\n"
        "\n"
        "Exit status: 0 when the whole file was read, 1 when it cannot be read, 2 on bad\n"
        "arguments, 3 when the reading stopped at a fault (the report covers what came\n"
        "before it)."),
    { cli::flag(QStringLiteral("json")) },
    runStats,
};

const cli::CliRegistration kRegistration(kCommand);

int runStats(const QCommandLineParser& args)
{
    const bool json = args.isSet(QStringLiteral("json"));
    const QStringList files = args.positionalArguments();
    if (const int error = cli::oneCapture(kCommand, files))
        return error;
    const gcs::CaptureReport report = gcs::CaptureReport::read(files.first());
    if (report.unreadable) {
        cli::printErr(QStringLiteral("telvo-cli stats: ") + report.error);
        return 1;
    }
    if (json)
        cli::printOut(
            QString::fromUtf8(QJsonDocument(report.toJson()).toJson(QJsonDocument::Compact)));
    else
        cli::writeOut(report.toText().toUtf8());
    if (!report.error.isEmpty()) {
        cli::printErr(QStringLiteral("telvo-cli stats: ") + report.error);
        return 3;
    }
    return 0;
}

} // namespace
