// telvo-cli stats: the integrity report of a capture.
#include "CliCommand.h"

#include "capture/CaptureReport.h"
#include "i18n/Language.h"

#include <QCommandLineParser>
#include <QJsonDocument>

namespace {

int runStats(const QCommandLineParser& args);

const cli::CliCommand kCommand {
    QStringLiteral("stats"),
    QT_TRANSLATE_NOOP("telvo-cli", "报告记录文件的内容与链路上丢失的数据"),
    QT_TRANSLATE_NOOP(
        "telvo-cli",
        "用法：telvo-cli stats [--json] CAPTURE\n"
        "\n"
        "用程序的解码器读取 CAPTURE（原始数据文件或一次记录的消息记录），报告统计页实时\n"
        "显示的各项计数：解码字节、二进制帧、文本语句（导航语句与回复）、导航记录、校验\n"
        "失败、被拒的文本行、跳过的字节（不属于任何已接受消息的每个字节）与丢帧（某格式\n"
        "计数器的间断，sinsbin 与 sinsasc 在时间标签的周期明确后也看其步长；计数器或时间\n"
        "标签回跳或跳得过远是重新同步，不算丢失；两者都无法判断时计校验失败的帧）；对消息\n"
        "记录另报消息数、消息速率与两条消息之间最长的静默。\n"
        "\n"
        "选项：\n"
        "  --json   改为输出一个 JSON 对象，键为 bytes、frames、sentences、\n"
        "           checksum_errors、text_errors、skipped_bytes、lost_frames、records、\n"
        "           kind（raw 或 message_log）与 file_bytes；消息记录另有 messages、\n"
        "           duration_ms、message_rate 与 longest_silence_ms；读取提前停止时另有\n"
        "           error\n"
        "  --help   显示本说明\n"
        "\n"
        "退出状态：0 整个文件已读完；1 文件无法读取；2 参数错误；3 读取在故障处停止（报告\n"
        "只含故障之前的部分）。"),
    { cli::flag(QStringLiteral("json")) },
    runStats,
};

const cli::CliRegistration kRegistration(kCommand);

int runStats(const QCommandLineParser& args)
{
    const bool json = args.isSet(QStringLiteral("json"));
    // What a script reads stays the same in every locale, the messages inside the JSON
    // ("error") included: they, and so this run's other messages, are the source texts.
    if (json)
        gcs::language::apply(gcs::language::kChinese);
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
