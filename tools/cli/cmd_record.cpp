// telvo-cli record: the window's recording flow from the command line.
#include "CliCommand.h"
#include "Interrupt.h"

#include "app/Application.h"
#include "discovery/DiscoveryTexts.h"
#include "ins/InsBridge.h"
#include "link/SerialPortName.h"
#include "record/Recorder.h"

#include <QCommandLineParser>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

constexpr int kDefaultBaud = 115200;
constexpr double kDefaultSeconds = 10;
/// How long to wait for the first decoded message, whose format names the files.
constexpr int kFormatWaitMs = 2000;
/// The pre-connect check probes the port at the given rate; it ends on its own.
constexpr int kConnectWaitMs = 30000;

int runRecord(const QCommandLineParser& args);

const cli::CliCommand kCommand {
    QStringLiteral("record"),
    QT_TRANSLATE_NOOP("telvo-cli", "像窗口的数据记录页那样，将设备数据记录到文件夹"),
    QT_TRANSLATE_NOOP(
        "telvo-cli",
        "用法：telvo-cli record PORT [--baud N] --dir DIR [--seconds S]\n"
        "\n"
        "像窗口那样以 N 波特（默认 115200）连接 PORT 上的设备，先检查那里有设备应答，然后\n"
        "记录 S 秒（默认 10；Ctrl-C 可提前停止）到 DIR：一个文本文件，每条消息一行（主机\n"
        "时间，然后是“#vorn”语句或以十六进制字节对表示的帧），以及同名的“.bin”文件存放\n"
        "原始字节，文件以数据格式命名（“sinsbin_20240309_070503.txt”）。开始记录时输出\n"
        "这两个路径。\n"
        "设备离开时（被拔出、断电）记录继续：命令在标准错误上说明，等待串口回来，像窗口\n"
        "那样重新连接，并继续写入同样的两个文件。\n"
        "命令使用自己的设置：不改动窗口的设备列表。\n"
        "\n"
        "某个文件不再接受数据（磁盘已满）时，记录立即结束；命令说明记录到了哪里，以及两个\n"
        "文件保存了什么。\n"
        "\n"
        "退出状态：0 完成一次记录并在设备连接时关闭；1 PORT 上没有设备应答、串口打不开或\n"
        "不存在、DIR 无法写入、某个文件不再接受数据，或设备离开后到结束时仍未回来；2 参数\n"
        "错误。"),
    { cli::valued(QStringLiteral("baud"), QStringLiteral("N")),
      cli::valued(QStringLiteral("dir"), QStringLiteral("DIR")),
      cli::valued(QStringLiteral("seconds"), QStringLiteral("S")) },
    runRecord,
};

const cli::CliRegistration kRegistration(kCommand);

/// The size of each file as it stands, for the user to know what was kept.
QString filesKept(const gcs::Recorder& recorder)
{
    QStringList kept;
    for (const QString& path : { recorder.textPath(), recorder.rawPath() }) {
        const QFileInfo file(path);
        if (file.exists())
            kept << QCoreApplication::translate("telvo-cli", "%1（%2 字节）")
                        .arg(QDir::toNativeSeparators(path), QString::number(file.size()));
    }
    return kept.join(QCoreApplication::translate("telvo-cli", "，"));
}

int runRecord(const QCommandLineParser& args)
{
    int baud = kDefaultBaud;
    double seconds = kDefaultSeconds;
    if (const int error = cli::parseBaud(kCommand, args, baud))
        return error;
    const QString dir = args.value(QStringLiteral("dir"));
    if (args.isSet(QStringLiteral("seconds"))) {
        bool ok = false;
        seconds = args.value(QStringLiteral("seconds")).toDouble(&ok);
        if (!ok || seconds <= 0 || seconds > 7 * 24 * 3600)
            return cli::usageError(
                kCommand, QCoreApplication::translate("telvo-cli", "--seconds 需要一个正数"));
    }
    const QStringList positional = args.positionalArguments();
    if (positional.size() > 1)
        return cli::usageError(kCommand,
                               QCoreApplication::translate("telvo-cli", "只能给出一个 PORT"));
    const QString port = positional.value(0);
    if (port.isEmpty())
        return cli::usageError(kCommand, QCoreApplication::translate("telvo-cli", "未给出 PORT"));
    if (dir.isEmpty())
        return cli::usageError(kCommand, QCoreApplication::translate("telvo-cli", "未给出 --dir"));

    const QFileInfo folder(dir);
    if (!folder.isDir())
        return cli::fail(kCommand,
                         QCoreApplication::translate("telvo-cli", "%1 不是文件夹")
                             .arg(QDir::toNativeSeparators(dir)));
    if (!folder.isWritable())
        return cli::fail(kCommand,
                         QCoreApplication::translate("telvo-cli", "无法写入 %1")
                             .arg(QDir::toNativeSeparators(dir)));

    // Settings of its own, so that connecting from here changes nothing the window keeps
    // (last port, managed devices).
    QTemporaryDir settingsHome;
    if (!settingsHome.isValid())
        return cli::fail(kCommand,
                         QCoreApplication::translate("telvo-cli", "无法为设置创建临时文件夹：%1")
                             .arg(settingsHome.errorString()));
    qputenv("LOCALAPPDATA", QDir::toNativeSeparators(settingsHome.path()).toLocal8Bit());

    const cli::Interrupt interrupt;

    gcs::Application app;
    app.setCurrentNav(QStringLiteral("record"));
    if (!app.connectSerial(port, baud))
        return cli::fail(kCommand,
                         app.lastError().isEmpty()
                             ? QCoreApplication::translate("telvo-cli", "未给出 PORT")
                             : app.lastError());
    const bool connected = interrupt.runUntil([&app]() { return !app.connecting(); },
                                              QDeadlineTimer(kConnectWaitMs));
    if (!connected)
        return cli::fail(kCommand, QCoreApplication::translate("telvo-cli", "连接时被中断"));
    if (!app.currentManagedConnected()) {
        if (!gcs::serialPortExists(port))
            return cli::fail(kCommand, gcs::discoverytext::portMissing(gcs::portKeyFromText(port)));
        return cli::fail(kCommand,
                         app.lastError().isEmpty() ? QCoreApplication::translate(
                                                         "telvo-cli", "%1 上以 %2 波特没有设备应答")
                                                         .arg(port, QString::number(baud))
                                                   : app.lastError());
    }

    // The record page shows the format of the first message; the files are named after it.
    interrupt.runUntil([&app]() { return !app.ins()->packetFormat().isEmpty(); },
                       QDeadlineTimer(kFormatWaitMs));
    if (interrupt.interrupted()) {
        app.disconnectPrimary();
        return cli::fail(kCommand, QCoreApplication::translate("telvo-cli", "开始记录前被中断"));
    }
    if (!app.startRecordInDir(dir))
        return cli::fail(kCommand, app.lastError());
    gcs::Recorder* recorder = app.recorder();
    cli::printOut(recorder->textPath());
    cli::printOut(recorder->rawPath());
    QElapsedTimer clock;
    clock.start();
    const auto secondsText
        = [&clock]() { return QString::number(double(clock.elapsed()) / 1000.0, 'f', 1); };
    // A file that stops taking data is told as it happens, and ends the recording: what
    // comes after it would be lost.
    QString failedAt;
    QObject::connect(recorder, &gcs::Recorder::writeFailed, [&](const QString& message) {
        cli::tell(kCommand, message);
        if (failedAt.isEmpty())
            failedAt = secondsText();
    });
    // The controller waits for a unit that went away and connects it again; the files
    // stay open meanwhile.
    QObject::connect(&app, &gcs::Application::reconnectingChanged, [&]() {
        if (app.reconnecting())
            cli::tell(kCommand,
                      QCoreApplication::translate("telvo-cli", "设备在 %1 s 时离开，正在等待其回来")
                          .arg(secondsText()));
        else if (app.currentManagedConnected())
            cli::tell(kCommand,
                      QCoreApplication::translate("telvo-cli", "设备在 %1 s 时回来，记录继续")
                          .arg(secondsText()));
    });
    interrupt.runUntil([&]() { return !failedAt.isEmpty() || !recorder->recording(); },
                       QDeadlineTimer(qint64(seconds * 1000)));
    const QString rawPath = recorder->rawPath();
    const bool lost = !app.currentManagedConnected();
    // Stopping writes what the buffers still hold: that too may fail.
    app.stopRecord();
    app.disconnectPrimary();
    if (!failedAt.isEmpty()) {
        return cli::fail(
            kCommand,
            QCoreApplication::translate("telvo-cli", "写入失败，记录在 %1 s 时停止；已保存：%2")
                .arg(failedAt, filesKept(*recorder)));
    }
    const QString bytes = QString::number(QFileInfo(rawPath).size());
    cli::printErr(interrupt.interrupted()
                      ? QCoreApplication::translate("telvo-cli", "已记录 %1 s，%2 字节（已中断）")
                            .arg(secondsText(), bytes)
                      : QCoreApplication::translate("telvo-cli", "已记录 %1 s，%2 字节")
                            .arg(secondsText(), bytes));
    if (lost)
        return cli::fail(kCommand, QCoreApplication::translate("telvo-cli", "设备离开后没有回来"));
    return 0;
}

} // namespace
