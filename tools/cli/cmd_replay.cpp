// telvo-cli replay: a recording played back onto a serial port at its recorded pace.
#include "CliCommand.h"
#include "Interrupt.h"

#include "link/SerialPortName.h"
#include "link/SerialTransport.h"
#include "link/Session.h"
#include "replay/ReplayTransport.h"

#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

namespace {

constexpr int kDefaultBaud = 115200;
constexpr double kMinSpeed = 0.01;
constexpr double kMaxSpeed = 1000;

int runReplay(const QCommandLineParser& args);

const cli::CliCommand kCommand {
    QStringLiteral("replay"),
    QT_TRANSLATE_NOOP("telvo-cli", "按记录时的节奏将一次记录回放到串口"),
    QT_TRANSLATE_NOOP(
        "telvo-cli",
        "用法：telvo-cli replay CAPTURE --to PORT [--baud N] [--speed X] [--loop]\n"
        "                      [--rate HZ]\n"
        "\n"
        "像窗口的回放那样，以 N 波特（默认 115200）按记录时的节奏把一次记录写到 PORT，\n"
        "以便用录下的行驶数据测试其他软件。原始数据文件（记录器的“.bin”，或任何收到的\n"
        "字节的文件）逐字节发出，消息之间的杂散字节也照发；消息记录（记录器的“.txt”）\n"
        "按其记录的消息发出，每条语句带其 CR LF，每个帧发出其字节。节奏取自消息记录的\n"
        "主机时间或设备的时间标签；没有时间标签的记录按每秒 HZ 条的间隔发出（默认每秒\n"
        "200 条）。\n"
        "--speed X 以 X 倍速播放（0.01 到 1000），或用“max”以线路能接受的最快速度播放；\n"
        "线路跟不上节奏时回放会等待，而不会丢弃数据。--loop 到结尾后从头再来，直到被\n"
        "中断。\n"
        "\n"
        "退出状态：0 记录已回放到结尾；1 记录或串口无法使用，或记录已损坏（损坏之前的\n"
        "部分已回放）；2 参数错误；130 被中断（Ctrl-C）。"),
    { cli::valued(QStringLiteral("to"), QStringLiteral("PORT")),
      cli::valued(QStringLiteral("baud"), QStringLiteral("N")),
      cli::valued(QStringLiteral("speed"), QStringLiteral("X")),
      cli::valued(QStringLiteral("rate"), QStringLiteral("HZ")),
      cli::flag(QStringLiteral("loop")) },
    runReplay,
};

const cli::CliRegistration kRegistration(kCommand);

struct ReplayArgs
{
    QString capture;
    QString port;
    int baud = kDefaultBaud;
    double speed = 1.0;
    double rate = gcs::ReplayTransport::kDefaultRecordRate;
    bool loop = false;
};

int parseArgs(const QCommandLineParser& args, ReplayArgs& a)
{
    a.port = args.value(QStringLiteral("to"));
    if (args.isSet(QStringLiteral("to")) && a.port.isEmpty())
        return cli::usageError(kCommand,
                               QCoreApplication::translate("telvo-cli", "--to 需要一个 PORT"));
    if (const int error = cli::parseBaud(kCommand, args, a.baud))
        return error;
    bool ok = false;
    if (const QString value = args.value(QStringLiteral("speed")); value == QLatin1String("max")) {
        a.speed = gcs::ReplayTransport::kFastest;
    } else if (args.isSet(QStringLiteral("speed"))) {
        a.speed = value.toDouble(&ok);
        if (!ok || a.speed < kMinSpeed || a.speed > kMaxSpeed)
            return cli::usageError(kCommand,
                                   QCoreApplication::translate(
                                       "telvo-cli", "--speed 需要 0.01 到 1000 之间的数，或 max"));
    }
    if (args.isSet(QStringLiteral("rate"))) {
        a.rate = args.value(QStringLiteral("rate")).toDouble(&ok);
        if (!ok || a.rate < gcs::ReplayTransport::kMinRecordRate
            || a.rate > gcs::ReplayTransport::kMaxRecordRate)
            return cli::usageError(
                kCommand,
                QCoreApplication::translate("telvo-cli", "--rate 需要 1 到 10000 之间的数"));
    }
    a.loop = args.isSet(QStringLiteral("loop"));
    const QStringList positional = args.positionalArguments();
    if (positional.size() > 1)
        return cli::usageError(kCommand,
                               QCoreApplication::translate("telvo-cli", "只能给出一个 CAPTURE"));
    a.capture = positional.value(0);
    if (a.capture.isEmpty())
        return cli::usageError(kCommand,
                               QCoreApplication::translate("telvo-cli", "未给出 CAPTURE"));
    if (a.port.isEmpty())
        return cli::usageError(kCommand,
                               QCoreApplication::translate("telvo-cli", "未给出 --to PORT"));
    return 0;
}

int runReplay(const QCommandLineParser& args)
{
    ReplayArgs a;
    if (const int rc = parseArgs(args, a))
        return rc;
    if (!QFileInfo(a.capture).isFile())
        return cli::fail(kCommand,
                         QCoreApplication::translate("telvo-cli", "文件不存在：%1")
                             .arg(QDir::toNativeSeparators(a.capture)));

    const QString port = gcs::portKeyFromText(a.port);
    auto serial = std::make_unique<gcs::SerialTransport>(port, a.baud);
    gcs::SerialTransport* link = serial.get();
    gcs::Session session(QStringLiteral("primary"), QStringLiteral("串口"), std::move(serial));
    QString linkError;
    QObject::connect(&session, &gcs::Session::errorOccurred,
                     [&linkError](const QString& message) { linkError = message; });
    if (!session.connectTransport())
        return cli::fail(
            kCommand,
            linkError.isEmpty()
                ? QCoreApplication::translate("telvo-cli", "无法打开串口「%1」").arg(port)
                : linkError);

    // Straight through, no index: the pace needs none, and a loop starts at the start.
    gcs::ReplayTransport replay(a.capture);
    replay.setIndexing(false);
    replay.setSpeed(a.speed);
    replay.setRecordRate(a.rate);
    replay.setLoop(a.loop);
    QString replayError;
    QObject::connect(&replay, &gcs::ITransport::errorOccurred,
                     [&replayError](const QString& message) { replayError = message; });
    if (!replay.open())
        return cli::fail(kCommand, replayError);

    const cli::Interrupt interrupt;
    qint64 written = 0;
    bool writeFailed = false;
    // Written out before the next piece is due: a slow line holds the replay back.
    QObject::connect(&replay, &gcs::ITransport::bytesReceived, [&](const QByteArray& bytes) {
        if (writeFailed || interrupt.interrupted())
            return;
        if (!link->sendBlocking(bytes)) {
            writeFailed = true;
            return;
        }
        written += bytes.size();
    });
    bool finished = false;
    QObject::connect(&replay, &gcs::ReplayTransport::finished, [&finished]() { finished = true; });

    cli::tell(kCommand,
              QCoreApplication::translate("telvo-cli", "正在将 %1 回放到 %2，%3 波特")
                  .arg(QDir::toNativeSeparators(a.capture), port, QString::number(a.baud)));
    QElapsedTimer clock;
    clock.start();
    replay.play();
    // A recording that stops at a fault (or holds none) is done: what came before the
    // fault has gone out by the time the fault is told.
    interrupt.runUntil([&]() { return finished || writeFailed || !replayError.isEmpty(); });
    replay.close();
    session.disconnectTransport();

    cli::tell(kCommand,
              QCoreApplication::translate("telvo-cli", "%2 s 内发出 %1 字节")
                  .arg(written)
                  .arg(double(clock.elapsed()) / 1000.0, 0, 'f', 1));
    if (interrupt.interrupted())
        return cli::Interrupt::kExitCode;
    if (writeFailed)
        return cli::fail(kCommand,
                         linkError.isEmpty()
                             ? QCoreApplication::translate("telvo-cli", "写入 %1 失败").arg(port)
                             : linkError);
    if (!replayError.isEmpty())
        return cli::fail(kCommand, replayError);
    return 0;
}

} // namespace
