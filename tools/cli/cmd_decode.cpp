// telvo-cli decode: a capture through the program's own INS decoder, message by message.
#include "CliCommand.h"

#include "capture/CaptureReader.h"
#include "ins/InsBridge.h"
#include "ins/InsLogText.h"

#include <QCommandLineParser>

#include <array>
#include <cstring>

namespace {

constexpr qint64 kDefaultChunk = 4096;
constexpr qint64 kMaxChunk = qint64(1) << 30;
constexpr qsizetype kOutFlush = 1 << 16;

int runDecode(const QCommandLineParser& args);

const cli::CliCommand kCommand {
    QStringLiteral("decode"),
    QT_TRANSLATE_NOOP("telvo-cli", "解码 INS 记录文件，输出其中的消息或导航记录"),
    QT_TRANSLATE_NOOP(
        "telvo-cli",
        "用法：telvo-cli decode [--chunk N] [--fields] FILE\n"
        "\n"
        "用程序的解码器读取 FILE：INS 设备所发字节的原始数据文件（如一次记录的“.bin”\n"
        "文件），每次送入 N 字节，如同数据以这个大小分块从链路到达；或一次记录的消息记录\n"
        "（其“.txt”文件），逐行解码。\n"
        "\n"
        "输出：解码器每接受一条消息输出一行，格式与记录器的消息记录相同（不含时间戳）：\n"
        "“#vorn”语句输出其文本，其他消息（二进制帧）输出为以单个空格分隔的小写十六进制\n"
        "字节对。\n"
        "\n"
        "选项：\n"
        "  --chunk N   每次交给解码器的字节数，N >= 1（默认 4096）\n"
        "  --fields    改为每条解码出的导航记录输出一行：其遥测快照字段，以 key=value\n"
        "              形式按键名升序排列，以单个空格分隔\n"
        "  --help      显示本说明\n"
        "\n"
        "最后在标准错误上输出：bytes=<收到的字节数> packets=<解码的消息数>\n"
        "errors=<被拒的文本行数>。\n"
        "\n"
        "退出状态：0 文件已解码；1 FILE 无法读取；2 参数错误；3 读取在故障处停止（消息\n"
        "记录中损坏的一行、不是记录文件的文件；消息会说明是哪种），此前的内容已输出。"),
    { cli::valued(QStringLiteral("chunk"), QStringLiteral("N")),
      cli::flag(QStringLiteral("fields")) },
    runDecode,
};

const cli::CliRegistration kRegistration(kCommand);

/// Standard output in large writes: a capture may decode to millions of lines. Once
/// standard output refuses data, nothing more is gathered (failed()).
class LineWriter
{
public:
    LineWriter() { m_pending.reserve(kOutFlush + 1024); }
    ~LineWriter() { flush(); }
    /// A message as the log shows it; hex through a table, the hot path of the command.
    void message(const QByteArray& bytes)
    {
        if (bytes.startsWith("#vorn") || bytes.isEmpty()) {
            m_pending += bytes;
            m_pending += '\n';
        } else {
            // Digit pairs from a table, three bytes written per byte read.
            static const auto kPairs = [] {
                std::array<char, 512> t {};
                const char* digits = "0123456789abcdef";
                for (int i = 0; i < 256; ++i) {
                    t[size_t(2 * i)] = digits[i >> 4];
                    t[size_t(2 * i + 1)] = digits[i & 15];
                }
                return t;
            }();
            const qsizetype at = m_pending.size();
            m_pending.resize(at + 3 * bytes.size());
            char* o = m_pending.data() + at;
            const auto* in = reinterpret_cast<const uchar*>(bytes.constData());
            for (qsizetype i = 0, n = bytes.size(); i < n; ++i, o += 3) {
                std::memcpy(o, kPairs.data() + 2 * in[i], 2);
                o[2] = ' ';
            }
            o[-1] = '\n';
        }
        flushWhenFull();
    }
    void line(const QString& text)
    {
        m_pending += text.toUtf8();
        m_pending += '\n';
        flushWhenFull();
    }
    void flush()
    {
        if (!m_pending.isEmpty() && !cli::writeOut(m_pending))
            m_failed = true;
        m_pending.resize(0);
    }
    bool failed() const { return m_failed; }

private:
    void flushWhenFull()
    {
        if (m_pending.size() >= kOutFlush)
            flush();
    }

    QByteArray m_pending;
    bool m_failed = false;
};

int runDecode(const QCommandLineParser& args)
{
    qint64 chunk = kDefaultChunk;
    const bool fields = args.isSet(QStringLiteral("fields"));
    if (args.isSet(QStringLiteral("chunk"))) {
        const QString value = args.value(QStringLiteral("chunk"));
        bool ok = false;
        chunk = value.toLongLong(&ok);
        if (!ok || chunk < 1)
            return cli::usageError(kCommand,
                                   QCoreApplication::translate(
                                       "telvo-cli", "--chunk 需要不小于 1 的整数，而不是「%1」")
                                       .arg(value));
    }
    const QStringList files = args.positionalArguments();
    if (files.isEmpty())
        return cli::usageError(kCommand, QCoreApplication::translate("telvo-cli", "未给出 FILE"));
    if (files.size() > 1)
        return cli::usageError(kCommand,
                               QCoreApplication::translate("telvo-cli", "只能给出一个 FILE"));

    gcs::CaptureReader reader;
    if (!reader.open(files.first())) {
        cli::printErr(QStringLiteral("telvo-cli decode: ")
                      + QCoreApplication::translate("telvo-cli", "无法读取 %1：%2")
                            .arg(files.first(), reader.errorText()));
        return 1;
    }
    // The chunk size shapes the feed, not the allocation: never more than is there.
    reader.setChunkSize(qMin(chunk, qMin(kMaxChunk, qMax<qint64>(1, reader.size()))));
    LineWriter out;
    if (fields) {
        gcs::CaptureRecord record;
        while (!out.failed() && reader.next(record))
            out.line(gcs::snapshotFieldsText(gcs::InsBridge::toSnapshot(record.record).fields));
    } else {
        reader.setQueueRecords(false);
        QObject::connect(reader.decoder(), &RecDataModel::wireFrameForLog,
                         [&out](const QByteArray& frame, qint64) { out.message(frame); });
        while (!out.failed() && reader.readChunk()) { }
    }
    out.flush();
    if (out.failed())
        return 1; // told by the caller with the system's reason
    const RecDataModel* model = reader.decoder();
    cli::printErr(QStringLiteral("bytes=%1 packets=%2 errors=%3")
                      .arg(model->recBytes())
                      .arg(model->recPackets())
                      .arg(model->packetErrs()));
    if (!reader.errorText().isEmpty()) {
        cli::printErr(QStringLiteral("telvo-cli decode: ") + reader.errorText());
        return 3;
    }
    return 0;
}

} // namespace
