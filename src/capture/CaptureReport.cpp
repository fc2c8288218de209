#include "capture/CaptureReport.h"

#include <QDir>

namespace gcs {

CaptureReport CaptureReport::read(const QString& path)
{
    CaptureReport report;
    report.path = path;
    CaptureReader reader;
    if (!reader.open(path)) {
        report.unreadable = true;
        report.error = reader.errorText();
        return report;
    }
    report.kind = reader.kind();
    report.fileSize = reader.size();
    CaptureRecord record;
    while (reader.next(record))
        ++report.records;
    report.counters = reader.counters();
    report.timing = reader.timing();
    report.error = reader.errorText();
    return report;
}

QJsonObject CaptureReport::toJson() const
{
    QJsonObject o = QJsonObject::fromVariantMap(RecDataModel::integrityFields(counters));
    o.insert(QStringLiteral("records"), records);
    o.insert(QStringLiteral("kind"),
             kind == CaptureReader::Kind::MessageLog ? QStringLiteral("message_log")
                                                     : QStringLiteral("raw"));
    o.insert(QStringLiteral("file_bytes"), fileSize);
    if (kind == CaptureReader::Kind::MessageLog) {
        o.insert(QStringLiteral("messages"), timing.messages);
        o.insert(QStringLiteral("duration_ms"), timing.durationMs());
        o.insert(QStringLiteral("message_rate"), timing.messageRate());
        o.insert(QStringLiteral("longest_silence_ms"), timing.longestSilenceMs);
    }
    if (!error.isEmpty())
        o.insert(QStringLiteral("error"), error);
    return o;
}

QString CaptureReport::toText() const
{
    const bool log = kind == CaptureReader::Kind::MessageLog;
    QString t;
    const auto line = [&t](const char* name, const QString& value) {
        t += QLatin1String(name) + QStringLiteral(": ") + value + QLatin1Char('\n');
    };
    line("file", QDir::toNativeSeparators(path));
    line("kind", log ? QStringLiteral("INS message log") : QStringLiteral("raw capture"));
    line("file size", QString::number(fileSize));
    line("bytes decoded", QString::number(counters.bytes));
    line("binary frames", QString::number(counters.frames));
    line("text sentences", QString::number(counters.sentences));
    line("navigation records", QString::number(records));
    line("checksum errors", QString::number(counters.checksumErrors));
    line("text lines rejected", QString::number(counters.textErrors));
    line("skipped bytes", QString::number(counters.skippedBytes));
    line("lost frames", QString::number(counters.lostFrames));
    if (log) {
        line("messages", QString::number(timing.messages));
        line("duration",
             QStringLiteral("%1 s").arg(double(timing.durationMs()) / 1000.0, 0, 'f', 3));
        line("message rate", QStringLiteral("%1 /s").arg(timing.messageRate(), 0, 'f', 2));
        line("longest silence",
             timing.silenceEndLine > 0 ? QStringLiteral("%1 ms (before line %2)")
                                             .arg(timing.longestSilenceMs)
                                             .arg(timing.silenceEndLine)
                                       : QStringLiteral("0 ms"));
    }
    if (!error.isEmpty())
        line("stopped early", error);
    return t;
}

} // namespace gcs
