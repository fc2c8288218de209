// telvo-cli forward: a unit's records handed on to other programs, as the window's
// "数据转发" does.
#include "CliCommand.h"
#include "Interrupt.h"

#include "app/Application.h"
#include "discovery/DiscoveryTexts.h"
#include "forward/ForwardEndpoint.h"
#include "forward/Forwarder.h"
#include "forward/NmeaServer.h"
#include "link/SerialPortName.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

namespace {

constexpr int kDefaultBaud = 115200;
/// The pre-connect check probes the port at the given rate; it ends on its own.
constexpr int kConnectWaitMs = 30000;
/// A name the system's resolver has not answered for by then is taken as unresolvable.
constexpr int kStartWaitMs = 15000;

int runForward(const QCommandLineParser& args);

const cli::CliCommand kCommand {
    QStringLiteral("forward"),
    QT_TRANSLATE_NOOP("telvo-cli", "把设备的记录转交给其他程序（UDP JSON、基于 TCP 的 NMEA）"),
    QT_TRANSLATE_NOOP(
        "telvo-cli",
        "用法：telvo-cli forward PORT [--baud N] [--udp-json HOST:PORT]\n"
        "                         [--nmea-tcp [HOST:]PORT] [--nmea-rate HZ] [--seconds S]\n"
        "\n"
        "像窗口那样以 N 波特（默认 115200）连接 PORT 上的设备，先检查那里有设备应答，然后\n"
        "把解码出的每条记录转交出去，直到 S 秒过去（默认：直到 Ctrl-C）：\n"
        "  --udp-json HOST:PORT    每条记录一个 JSON 对象，放在一个 UDP 数据报里，供绘图\n"
        "                          工具使用（PlotJuggler：127.0.0.1:9870）；键为 CSV 导出\n"
        "                          中该记录所含数值的列名，单位与小数位同导出，另有“t”，\n"
        "                          即接收时间（自 1970-01-01 UTC 起的秒数）\n"
        "  --nmea-tcp [HOST:]PORT  向至多 5 个 TCP 客户端发送 NMEA 0183（GGA、RMC、VTG、\n"
        "                          HDT），在 HOST（默认 127.0.0.1）的 PORT 上监听（常用\n"
        "                          10110）；时间为本机的 UTC\n"
        "  --nmea-rate HZ          每秒的语句组数，0.1 到 100（默认 10），不超过设备发送\n"
        "                          记录的频率\n"
        "--udp-json 与 --nmea-tcp 至少给出一个。主机可以是名称；IPv6 地址写在方括号里\n"
        "（“[::1]:9870”）。每个输出开始工作时输出其状态，结束时说明转发了什么。设备离开\n"
        "时，转发像窗口那样等待它回来；不读取的客户端丢失的是语句，而不是内存。\n"
        "\n"
        "退出状态：0 转发运行到结束（S 秒或 Ctrl-C）且设备仍连接；1 某个输出无法开始（名称\n"
        "无法解析、地址不属于本机、端口被占用）、PORT 上没有设备应答或串口不存在，或设备\n"
        "离开后到结束时仍未回来；2 参数错误。"),
    { cli::valued(QStringLiteral("baud"), QStringLiteral("N")),
      cli::valued(QStringLiteral("udp-json"), QStringLiteral("HOST:PORT")),
      cli::valued(QStringLiteral("nmea-tcp"), QStringLiteral("[HOST:]PORT")),
      cli::valued(QStringLiteral("nmea-rate"), QStringLiteral("HZ")),
      cli::valued(QStringLiteral("seconds"), QStringLiteral("S")) },
    runForward,
};

const cli::CliRegistration kRegistration(kCommand);

struct ForwardArgs
{
    QString port;
    int baud = kDefaultBaud;
    double seconds = 0; // 0: until interrupted
    bool udp = false;
    gcs::ForwardEndpoint udpTarget;
    bool nmea = false;
    gcs::ForwardEndpoint nmeaListen;
    double nmeaRate = gcs::Forwarder::kDefaultNmeaRate;
};

int parseArgs(const QCommandLineParser& args, ForwardArgs& a)
{
    if (const int error = cli::parseBaud(kCommand, args, a.baud))
        return error;
    bool ok = false;
    if (args.isSet(QStringLiteral("seconds"))) {
        a.seconds = args.value(QStringLiteral("seconds")).toDouble(&ok);
        if (!ok || a.seconds <= 0 || a.seconds > 7 * 24 * 3600)
            return cli::usageError(
                kCommand, QCoreApplication::translate("telvo-cli", "--seconds 需要一个正数"));
    }
    QString error;
    a.udp = args.isSet(QStringLiteral("udp-json"));
    if (a.udp
        && !gcs::ForwardEndpoint::parse(args.value(QStringLiteral("udp-json")), QString(),
                                        a.udpTarget, error))
        return cli::usageError(kCommand, QStringLiteral("--udp-json: ") + error);
    a.nmea = args.isSet(QStringLiteral("nmea-tcp"));
    if (a.nmea
        && !gcs::ForwardEndpoint::parse(args.value(QStringLiteral("nmea-tcp")),
                                        QString::fromLatin1(gcs::Forwarder::kDefaultNmeaHost),
                                        a.nmeaListen, error))
        return cli::usageError(kCommand, QStringLiteral("--nmea-tcp: ") + error);
    if (args.isSet(QStringLiteral("nmea-rate"))) {
        a.nmeaRate = args.value(QStringLiteral("nmea-rate")).toDouble(&ok);
        if (!ok || a.nmeaRate < gcs::NmeaServer::kMinRate || a.nmeaRate > gcs::NmeaServer::kMaxRate)
            return cli::usageError(
                kCommand,
                QCoreApplication::translate("telvo-cli", "--nmea-rate 需要 0.1 到 100 之间的数"));
    }
    if (!a.udp && !a.nmea)
        return cli::usageError(
            kCommand,
            QCoreApplication::translate("telvo-cli", "请给出 --udp-json、--nmea-tcp 或两者"));
    const QStringList positional = args.positionalArguments();
    if (positional.size() > 1)
        return cli::usageError(kCommand,
                               QCoreApplication::translate("telvo-cli", "只能给出一个 PORT"));
    a.port = positional.value(0);
    if (a.port.isEmpty())
        return cli::usageError(kCommand, QCoreApplication::translate("telvo-cli", "未给出 PORT"));
    return 0;
}

int runForward(const QCommandLineParser& args)
{
    ForwardArgs a;
    if (const int error = parseArgs(args, a))
        return error;

    // Settings of its own, so that connecting from here changes nothing the window keeps
    // (last port, managed devices, its own forwarding).
    QTemporaryDir settingsHome;
    if (!settingsHome.isValid())
        return cli::fail(kCommand,
                         QCoreApplication::translate("telvo-cli", "无法为设置创建临时文件夹：%1")
                             .arg(settingsHome.errorString()));
    qputenv("LOCALAPPDATA", QDir::toNativeSeparators(settingsHome.path()).toLocal8Bit());

    const cli::Interrupt interrupt;
    gcs::Application app;
    gcs::Forwarder* forward = app.forward();
    QObject::connect(forward, &gcs::Forwarder::errorOccurred,
                     [](const QString& m) { cli::tell(kCommand, m); });

    // The outputs first: an address that cannot be used is told before the unit is touched.
    if (a.udp)
        forward->setUdp(true, a.udpTarget.host, a.udpTarget.port);
    if (a.nmea)
        forward->setNmea(true, a.nmeaListen.host, a.nmeaListen.port, a.nmeaRate);
    const bool settled = interrupt.runUntil(
        [forward]() {
            return forward->udpState() != gcs::Forwarder::Starting
                && forward->nmeaState() != gcs::Forwarder::Starting;
        },
        QDeadlineTimer(kStartWaitMs));
    if (!settled)
        return cli::fail(kCommand, QCoreApplication::translate("telvo-cli", "启动输出时被中断"));
    if (forward->udpState() == gcs::Forwarder::Starting
        || forward->nmeaState() == gcs::Forwarder::Starting)
        return cli::fail(kCommand,
                         QCoreApplication::translate("telvo-cli", "主机名在 %1 s 内没有解析出来")
                             .arg(kStartWaitMs / 1000));
    if (forward->udpState() == gcs::Forwarder::Failed
        || forward->nmeaState() == gcs::Forwarder::Failed)
        return 1; // told as it happened
    if (a.udp && !cli::printOut(QStringLiteral("udp-json: ") + forward->udpStateText()))
        return cli::fail(kCommand, cli::outputError());
    if (a.nmea && !cli::printOut(QStringLiteral("nmea-tcp: ") + forward->nmeaStateText()))
        return cli::fail(kCommand, cli::outputError());

    if (!app.connectSerial(a.port, a.baud))
        return cli::fail(kCommand,
                         app.lastError().isEmpty()
                             ? QCoreApplication::translate("telvo-cli", "未给出 PORT")
                             : app.lastError());
    if (!interrupt.runUntil([&app]() { return !app.connecting(); }, QDeadlineTimer(kConnectWaitMs)))
        return cli::fail(kCommand, QCoreApplication::translate("telvo-cli", "连接时被中断"));
    if (!app.currentManagedConnected()) {
        if (!gcs::serialPortExists(a.port))
            return cli::fail(kCommand,
                             gcs::discoverytext::portMissing(gcs::portKeyFromText(a.port)));
        return cli::fail(kCommand,
                         app.lastError().isEmpty() ? QCoreApplication::translate(
                                                         "telvo-cli", "%1 上以 %2 波特没有设备应答")
                                                         .arg(a.port, QString::number(a.baud))
                                                   : app.lastError());
    }

    QElapsedTimer clock;
    clock.start();
    const auto secondsText
        = [&clock]() { return QString::number(double(clock.elapsed()) / 1000.0, 'f', 1); };
    QObject::connect(&app, &gcs::Application::reconnectingChanged, [&]() {
        if (app.reconnecting())
            cli::tell(kCommand,
                      QCoreApplication::translate("telvo-cli", "设备在 %1 s 时离开，正在等待其回来")
                          .arg(secondsText()));
        else if (app.currentManagedConnected())
            cli::tell(kCommand,
                      QCoreApplication::translate("telvo-cli", "设备在 %1 s 时回来，转发继续")
                          .arg(secondsText()));
    });
    int clients = 0;
    QObject::connect(forward, &gcs::Forwarder::stateChanged, [&]() {
        if (forward->nmeaClients() != clients) {
            clients = forward->nmeaClients();
            cli::tell(
                kCommand,
                QCoreApplication::translate("telvo-cli", "已连接 %n 个 NMEA 客户端", "", clients));
        }
    });
    interrupt.runUntil([]() { return false; },
                       a.seconds > 0 ? QDeadlineTimer(qint64(a.seconds * 1000))
                                     : QDeadlineTimer(QDeadlineTimer::Forever));
    const bool lost = !app.currentManagedConnected();
    app.disconnectPrimary();
    QStringList done { QCoreApplication::translate("telvo-cli", "%2 s 内转发了 %n 条记录", "",
                                                   int(forward->records()))
                           .arg(secondsText()) };
    if (a.udp)
        done << QCoreApplication::translate("telvo-cli", "%n 个数据报", "",
                                            int(forward->udpDatagrams()));
    if (a.nmea)
        done << QCoreApplication::translate("telvo-cli", "%n 组 NMEA 语句，慢客户端丢弃 %1 字节",
                                            "", int(forward->nmeaBatches()))
                    .arg(forward->nmeaDroppedBytes());
    cli::printErr(done.join(QCoreApplication::translate("telvo-cli", "，"))
                  + (interrupt.interrupted()
                         ? QCoreApplication::translate("telvo-cli", "（%1）")
                               .arg(QCoreApplication::translate("telvo-cli", "已中断"))
                         : QString()));
    if (lost)
        return cli::fail(kCommand, QCoreApplication::translate("telvo-cli", "设备离开后没有回来"));
    return 0;
}

} // namespace
