// telvo-cli decode: a raw capture through the program's own INS decoder.
#include "CliCommand.h"

#include "ins/InsBridge.h"
#include "ins/InsLogText.h"
#include "ins/RecDataModel.h"

#include <QFile>

#include <cstdio>

namespace {

constexpr qint64 kDefaultChunk = 4096;
constexpr qint64 kMaxRead = qint64(1) << 30;

int runDecode(const QStringList& args);

const cli::CliCommand kCommand {
    QStringLiteral("decode"),
    QStringLiteral("decode a raw INS capture and print its messages or records"),
    QStringLiteral(
        "usage: telvo-cli decode [--chunk N] [--fields] FILE\n"
        "\n"
        "Feeds FILE, a raw capture of the bytes an INS unit sent (such as the \".bin\" file\n"
        "of a recording), to the program's decoder N bytes at a time, as if they had\n"
        "arrived over the link in chunks of that size.\n"
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
        "arguments."),
    runDecode,
};

const cli::CliRegistration kRegistration(kCommand);

/// Standard output in large writes: a capture may decode to millions of lines.
class LineWriter
{
public:
    ~LineWriter() { flush(); }
    void line(const QString& text)
    {
        m_pending += text.toUtf8();
        m_pending += '\n';
        if (m_pending.size() >= (1 << 16))
            flush();
    }
    void flush()
    {
        if (!m_pending.isEmpty())
            std::fwrite(m_pending.constData(), 1, size_t(m_pending.size()), stdout);
        std::fflush(stdout);
        m_pending.clear();
    }

private:
    QByteArray m_pending;
};

int runDecode(const QStringList& args)
{
    qint64 chunk = kDefaultChunk;
    bool fields = false;
    QStringList files;
    bool optionsDone = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (optionsDone || arg == QLatin1String("-") || !arg.startsWith(QLatin1Char('-'))) {
            files << arg;
        } else if (arg == QLatin1String("--")) {
            optionsDone = true;
        } else if (arg == QLatin1String("--fields")) {
            fields = true;
        } else if (arg == QLatin1String("--chunk") || arg.startsWith(QLatin1String("--chunk="))) {
            QString value;
            if (arg == QLatin1String("--chunk")) {
                if (i + 1 >= args.size())
                    return cli::usageError(kCommand, QStringLiteral("--chunk needs a value"));
                value = args.at(++i);
            } else {
                value = arg.mid(int(sizeof("--chunk=")) - 1);
            }
            bool ok = false;
            chunk = value.toLongLong(&ok);
            if (!ok || chunk < 1)
                return cli::usageError(
                    kCommand,
                    QStringLiteral("--chunk needs a whole number of at least 1, not "
                                   "\"%1\"")
                        .arg(value));
        } else {
            return cli::usageError(kCommand, QStringLiteral("unknown option %1").arg(arg));
        }
    }
    if (files.isEmpty())
        return cli::usageError(kCommand, QStringLiteral("no FILE given"));
    if (files.size() > 1)
        return cli::usageError(kCommand, QStringLiteral("one FILE only"));

    QFile file(files.first());
    if (!file.open(QIODevice::ReadOnly)) {
        cli::printErr(QStringLiteral("telvo-cli decode: cannot read %1: %2")
                          .arg(files.first(), file.errorString()));
        return 1;
    }

    gcs::InsBridge bridge;
    RecDataModel* model = bridge.model();
    LineWriter out;
    if (fields) {
        QObject::connect(&bridge, &gcs::InsBridge::snapshotReady,
                         [&out](const gcs::TelemetrySnapshot& s) {
                             out.line(gcs::snapshotFieldsText(s.fields));
                         });
    } else {
        QObject::connect(
            model, &RecDataModel::wireFrameForLog,
            [&out](const QByteArray& frame, qint64) { out.line(gcs::insMessageText(frame)); });
    }

    for (;;) {
        // Never ask for more than is left (or than one array can hold): the chunk size
        // shapes the feed, not the allocation.
        const qint64 want = file.isSequential()
            ? qMin(chunk, kMaxRead)
            : qMin(chunk, qMax<qint64>(1, file.size() - file.pos()));
        const QByteArray bytes = file.read(want);
        if (bytes.isEmpty()) {
            if (file.error() != QFileDevice::NoError) {
                out.flush();
                cli::printErr(QStringLiteral("telvo-cli decode: cannot read %1: %2")
                                  .arg(files.first(), file.errorString()));
                return 1;
            }
            break;
        }
        bridge.feed(bytes);
    }
    out.flush();
    cli::printErr(QStringLiteral("bytes=%1 packets=%2 errors=%3")
                      .arg(model->recBytes())
                      .arg(model->recPackets())
                      .arg(model->packetErrs()));
    return 0;
}

} // namespace
