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
    QStringLiteral("decode an INS capture and print its messages or records"),
    QStringLiteral(
        "usage: telvo-cli decode [--chunk N] [--fields] FILE\n"
        "\n"
        "Reads FILE through the program's decoder: a raw capture of the bytes an INS unit\n"
        "sent (such as the \".bin\" file of a recording), fed N bytes at a time as if they\n"
        "had arrived over the link in chunks of that size, or a recording's message log\n"
        "(its \".txt\" file), decoded line by line.\n"
        "\n"
        "Output, one line per message the decoder accepts, in the form the recorder's\n"
        "message log uses (without the time stamp): a \"#vorn\" sentence as its text, any\n"
        "other message (a binary frame) as lower-case hexadecimal pairs separated by\n"
        "single blanks.\n"
        "\n"
        "options:\n"
        "  --chunk N   bytes handed to the decoder per call, N >= 1 (default 4096)\n"
        "  --fields    print one line per decoded navigation record instead: its telemetry\n"
        "              snapshot fields as key=value pairs in ascending key order,\n"
        "              separated by single blanks\n"
        "  --help      this text\n"
        "\n"
        "Last, on standard error: bytes=<bytes received> packets=<messages decoded>\n"
        "errors=<text lines rejected>.\n"
        "\n"
        "Exit status: 0 when the file was decoded, 1 when FILE cannot be read, 2 on bad\n"
        "arguments, 3 when the reading stopped at a fault (a damaged log line, a file that\n"
        "is no capture; the message says which) after printing what came before it."),
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
            return cli::usageError(
                kCommand,
                QStringLiteral("--chunk needs a whole number of at least 1, not \"%1\"")
                    .arg(value));
    }
    const QStringList files = args.positionalArguments();
    if (files.isEmpty())
        return cli::usageError(kCommand, QStringLiteral("no FILE given"));
    if (files.size() > 1)
        return cli::usageError(kCommand, QStringLiteral("one FILE only"));

    gcs::CaptureReader reader;
    if (!reader.open(files.first())) {
        cli::printErr(QStringLiteral("telvo-cli decode: cannot read %1: %2")
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
