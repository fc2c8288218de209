// telvo-cli send: one command to a unit on a serial port, and the configuration replies
// that come back.
#include "CliCommand.h"

#include "app/ProfileFolders.h"
#include "console/CommandCatalog.h"
#include "console/LogFormat.h"
#include "console/SendInput.h"
#include "ins/InsBridge.h"
#include "ins/InsLogText.h"
#include "ins/RecDataModel.h"
#include "link/SerialPortName.h"
#include "link/SerialTransport.h"
#include "link/Session.h"

#include <QCommandLineParser>
#include <QDir>
#include <QEventLoop>
#include <QTimer>
#include <QVariant>

#include <memory>

namespace {

constexpr int kDefaultBaud = 115200;
constexpr int kDefaultWaitMs = 1000;

int runSend(const QCommandLineParser& args);

const cli::CliCommand kCommand {
    QStringLiteral("send"),
    QT_TRANSLATE_NOOP("telvo-cli", "向设备发送指令表中的指令或原始文本，并输出其回复"),
    QT_TRANSLATE_NOOP(
        "telvo-cli",
        "用法：telvo-cli send PORT [--baud N] [--wait MS] [--hex]\n"
        "                    (--raw TEXT | COMMAND_ID [ARG...])\n"
        "\n"
        "以 N 波特（默认 115200；不探测）将 PORT 作为串口链路打开，然后发送指令表中的指令\n"
        "COMMAND_ID 及其参数，与窗口各页发送的相同（“get_com1”即指令表中的\n"
        "“vorn.get_com1”；带点号的 id 原样使用）；或者发送 TEXT，与原始收发页发送的\n"
        "相同：按同样的规则检查，末尾加 CR LF 发送，或者用 --hex 时发送其十六进制数字\n"
        "所表示的字节。\n"
        "指令取自程序旁的“vorn.yaml”配置文件。\n"
        "\n"
        "先输出“> ”与发送的内容（不含行尾；--hex 时为十六进制字节对），然后在 MS 毫秒内\n"
        "（默认 1000）对收到的每条配置回复输出一行：回复名称（com1、factory、gnm、axis、\n"
        "softver、gnss、extrapolate time），以及从中读出的值，以 key=value 形式按键名\n"
        "升序排列，例如\n"
        "  com1 baudRate=115200 packetFormat=sinsbin packetFre=200 serialType=422\n"
        "COMMAND_ID 之后的一切都是参数，以“-”开头的也是。\n"
        "\n"
        "退出状态：0 已发送；1 串口打不开、指令未知或文本被拒（附程序自己的消息）；2 参数\n"
        "错误。"),
    { cli::valued(QStringLiteral("baud"), QStringLiteral("N")),
      cli::valued(QStringLiteral("wait"), QStringLiteral("MS")), cli::flag(QStringLiteral("hex")),
      cli::valued(QStringLiteral("raw"), QStringLiteral("TEXT")) },
    runSend,
    2, // PORT and COMMAND_ID: what follows them is the command's
};

const cli::CliRegistration kRegistration(kCommand);

struct SendArgs
{
    QString port;
    int baud = kDefaultBaud;
    int waitMs = kDefaultWaitMs;
    bool hex = false;
    bool raw = false;
    QString rawText;
    QString commandId;
    QStringList commandArgs;
};

int parseSendArgs(const QCommandLineParser& args, SendArgs& out)
{
    if (const int error = cli::parseBaud(kCommand, args, out.baud))
        return error;
    if (args.isSet(QStringLiteral("wait"))) {
        bool ok = false;
        out.waitMs = args.value(QStringLiteral("wait")).toInt(&ok);
        if (!ok || out.waitMs < 0 || out.waitMs > 3600000)
            return cli::usageError(
                kCommand,
                QCoreApplication::translate("telvo-cli", "--wait 需要毫秒数（0 或以上）"));
    }
    out.hex = args.isSet(QStringLiteral("hex"));
    out.raw = args.isSet(QStringLiteral("raw"));
    out.rawText = args.value(QStringLiteral("raw"));
    QStringList positional = args.positionalArguments();
    out.port = positional.isEmpty() ? QString() : positional.takeFirst();
    out.commandId = positional.isEmpty() ? QString() : positional.takeFirst();
    out.commandArgs = positional;
    if (out.port.isEmpty())
        return cli::usageError(kCommand, QCoreApplication::translate("telvo-cli", "未给出 PORT"));
    if (out.raw && !out.commandId.isEmpty())
        return cli::usageError(kCommand,
                               QCoreApplication::translate(
                                   "telvo-cli", "请给出 --raw TEXT 或 COMMAND_ID，不能两者都给"));
    if (!out.raw && out.commandId.isEmpty())
        return cli::usageError(
            kCommand,
            QCoreApplication::translate("telvo-cli",
                                        "没有要发送的内容：请给出 --raw TEXT 或 COMMAND_ID"));
    return 0;
}

void loadCatalog(gcs::CommandCatalog& catalog)
{
    // The window's folders, in its order: the later load wins.
    for (const QString& folder : gcs::profileFolders())
        catalog.loadFile(QDir(folder).filePath(QStringLiteral("vorn.yaml")));
}

/// Prints every configuration reply as its name and the values the bridge publishes.
void printConfigReplies(gcs::InsBridge& bridge)
{
    RecDataModel* model = bridge.model();
    // The bridge's own handlers were connected first, so its values are up to date here.
    const auto one = [](const QString& key, const QVariant& value) {
        return key + QLatin1Char('=') + value.toString();
    };
    QObject::connect(
        model, &RecDataModel::newConfigSerialValue, [&bridge](const RecConfigSerialStruct&) {
            cli::printOut(QStringLiteral("com1 ") + gcs::snapshotFieldsText(bridge.serialConfig()));
        });
    QObject::connect(model, &RecDataModel::newConfigGyroValue,
                     [&bridge](const RecConfigGyroStruct&) {
                         cli::printOut(QStringLiteral("factory ")
                                       + gcs::snapshotFieldsText(bridge.gyroConfig()));
                     });
    QObject::connect(
        model, &RecDataModel::newConfigInstallValue, [&bridge](const RecConfigInstallStruct&) {
            cli::printOut(QStringLiteral("gnm ") + gcs::snapshotFieldsText(bridge.installConfig()));
        });
    QObject::connect(
        model, &RecDataModel::newConfigAxisValue, [&bridge, one](const QList<QString>&) {
            cli::printOut(QStringLiteral("axis ") + one(QStringLiteral("axis"), bridge.axis()));
        });
    QObject::connect(model, &RecDataModel::newSoftVerValue, [&bridge, one](const QString&) {
        cli::printOut(QStringLiteral("softver ")
                      + one(QStringLiteral("softver"), bridge.softver()));
    });
    QObject::connect(model, &RecDataModel::newConfig_dyawGNSS, [&bridge, one](double) {
        cli::printOut(QStringLiteral("gnss ") + one(QStringLiteral("gnssYaw"), bridge.gnssYaw()));
    });
    QObject::connect(model, &RecDataModel::newConfigExtrapTime, [&bridge, one](double) {
        cli::printOut(QStringLiteral("extrapolate time ")
                      + one(QStringLiteral("extrapMs"), bridge.extrapMs()));
    });
}

int runSend(const QCommandLineParser& args)
{
    SendArgs a;
    if (const int rc = parseSendArgs(args, a))
        return rc;

    QByteArray bytes;
    if (a.raw) {
        if (const QString refusal = gcs::rawSendRefusal(a.rawText, a.hex); !refusal.isEmpty())
            return cli::fail(kCommand, refusal);
        bytes = gcs::rawSendPayload(a.rawText, a.hex);
    } else {
        gcs::CommandCatalog catalog;
        loadCatalog(catalog);
        const QString key = gcs::commandCatalogKey(a.commandId);
        bytes = catalog.build(key, a.commandArgs);
        if (bytes.isEmpty())
            return cli::fail(kCommand, gcs::unknownCommandText(key));
    }

    const QString port = gcs::portKeyFromText(a.port);
    auto transport = std::make_unique<gcs::SerialTransport>(port, a.baud);
    gcs::SerialTransport* link = transport.get();
    gcs::Session session(QStringLiteral("primary"), QStringLiteral("串口"), std::move(transport));
    QString linkError;
    QObject::connect(&session, &gcs::Session::errorOccurred,
                     [&linkError](const QString& message) { linkError = message; });
    if (!session.connectTransport()) {
        return cli::fail(
            kCommand,
            linkError.isEmpty()
                ? QCoreApplication::translate("telvo-cli", "无法打开串口「%1」").arg(port)
                : linkError);
    }

    // What waited on the line before this run (a late reply to an earlier command) answers
    // nothing sent here; shown, it would read as this command's reply.
    link->discardInbound();

    gcs::InsBridge bridge;
    printConfigReplies(bridge);
    QObject::connect(&session, &gcs::Session::bytesReceived, &bridge, &gcs::InsBridge::feed);

    // Written out before waiting, so that a wait of 0 still sends everything.
    if (!link->sendBlocking(bytes))
        return cli::fail(kCommand,
                         linkError.isEmpty() ? QCoreApplication::translate("telvo-cli", "发送失败")
                                             : linkError);
    QByteArray shown = bytes;
    if (!a.hex) {
        while (shown.endsWith('\n') || shown.endsWith('\r'))
            shown.chop(1);
    }
    cli::printOut(QStringLiteral("> ")
                  + (a.hex ? gcs::logHexText(shown) : QString::fromUtf8(shown)));

    QEventLoop loop;
    QTimer::singleShot(a.waitMs, &loop, &QEventLoop::quit);
    loop.exec();
    session.disconnectTransport();
    return 0;
}

} // namespace
