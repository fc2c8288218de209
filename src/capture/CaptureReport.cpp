#include "capture/CaptureReport.h"

#include <QCoreApplication>
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
        t += QCoreApplication::translate("gcs::CaptureReport", "%1：%2")
                 .arg(QCoreApplication::translate("gcs::CaptureReport", name), value)
            + QLatin1Char('\n');
    };
    line(QT_TRANSLATE_NOOP("gcs::CaptureReport", "文件"), QDir::toNativeSeparators(path));
    line(QT_TRANSLATE_NOOP("gcs::CaptureReport", "类型"),
         log ? QCoreApplication::translate("gcs::CaptureReport", "INS 消息记录")
             : QCoreApplication::translate("gcs::CaptureReport", "原始数据"));
    line(QT_TRANSLATE_NOOP("gcs::CaptureReport", "文件大小"), QString::number(fileSize));
    line(QT_TRANSLATE_NOOP("gcs::CaptureReport", "解码字节"), QString::number(counters.bytes));
    line(QT_TRANSLATE_NOOP("gcs::CaptureReport", "二进制帧"), QString::number(counters.frames));
    line(QT_TRANSLATE_NOOP("gcs::CaptureReport", "文本语句"), QString::number(counters.sentences));
    line(QT_TRANSLATE_NOOP("gcs::CaptureReport", "导航记录"), QString::number(records));
    line(QT_TRANSLATE_NOOP("gcs::CaptureReport", "校验失败"),
         QString::number(counters.checksumErrors));
    line(QT_TRANSLATE_NOOP("gcs::CaptureReport", "被拒的文本行"),
         QString::number(counters.textErrors));
    line(QT_TRANSLATE_NOOP("gcs::CaptureReport", "跳过的字节"),
         QString::number(counters.skippedBytes));
    line(QT_TRANSLATE_NOOP("gcs::CaptureReport", "丢帧"), QString::number(counters.lostFrames));
    if (log) {
        line(QT_TRANSLATE_NOOP("gcs::CaptureReport", "消息数"), QString::number(timing.messages));
        line(QT_TRANSLATE_NOOP("gcs::CaptureReport", "时长"),
             QStringLiteral("%1 s").arg(double(timing.durationMs()) / 1000.0, 0, 'f', 3));
        line(QT_TRANSLATE_NOOP("gcs::CaptureReport", "消息速率"),
             QStringLiteral("%1 /s").arg(timing.messageRate(), 0, 'f', 2));
        line(QT_TRANSLATE_NOOP("gcs::CaptureReport", "最长静默"),
             timing.silenceEndLine > 0
                 ? QCoreApplication::translate("gcs::CaptureReport", "%1 ms（第 %2 行之前）")
                       .arg(timing.longestSilenceMs)
                       .arg(timing.silenceEndLine)
                 : QStringLiteral("0 ms"));
    }
    if (!error.isEmpty())
        line(QT_TRANSLATE_NOOP("gcs::CaptureReport", "提前停止"), error);
    return t;
}

} // namespace gcs
