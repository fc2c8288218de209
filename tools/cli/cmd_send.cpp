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
    QStringLiteral("send a catalog command or raw text to a unit and print its replies"),
    QStringLiteral(
        "usage: telvo-cli send PORT [--baud N] [--wait MS] [--hex]\n"
        "                      (--raw TEXT | COMMAND_ID [ARG...])\n"
        "\n"
        "Opens PORT as a serial link at N baud (default 115200; no probe) and sends either\n"
        "the catalog command COMMAND_ID with its arguments, as the window's pages send it\n"
        "(\"get_com1\" is the catalog's \"vorn.get_com1\"; an id with a point is used as it\n"
        "stands), or TEXT as the raw console sends it: checked by the same rules and sent\n"
        "with CR LF appended, or with --hex as the bytes its hexadecimal digits give.\n"
        "The commands come from the \"vorn.yaml\" profiles beside the program.\n"
        "\n"
        "Prints \"> \" and what was sent (without its line end; as hex pairs with --hex), then\n"
        "for MS milliseconds (default 1000) one line per configuration reply that comes\n"
        "back: the reply name (com1, factory, gnm, axis, softver, gnss, extrapolate time)\n"
        "and the values read from it as key=value pairs in ascending key order, e.g.\n"
        "  com1 baudRate=115200 packetFormat=sinsbin packetFre=200 serialType=422\n"
        "Everything after COMMAND_ID is an argument, also when it begins with \"-\".\n"
        "\n"
        "Exit status: 0 when sent; 1 when the port does not open, the command is unknown\n"
        "or the text is refused (with the program's own message); 2 on bad arguments."),
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
            return cli::usageError(kCommand,
                                   QStringLiteral("--wait needs milliseconds (0 or more)"));
    }
    out.hex = args.isSet(QStringLiteral("hex"));
    out.raw = args.isSet(QStringLiteral("raw"));
    out.rawText = args.value(QStringLiteral("raw"));
    QStringList positional = args.positionalArguments();
    out.port = positional.isEmpty() ? QString() : positional.takeFirst();
    out.commandId = positional.isEmpty() ? QString() : positional.takeFirst();
    out.commandArgs = positional;
    if (out.port.isEmpty())
        return cli::usageError(kCommand, QStringLiteral("no PORT given"));
    if (out.raw && !out.commandId.isEmpty())
        return cli::usageError(kCommand, QStringLiteral("give --raw TEXT or COMMAND_ID, not both"));
    if (!out.raw && out.commandId.isEmpty())
        return cli::usageError(kCommand,
                               QStringLiteral("nothing to send: give --raw TEXT or COMMAND_ID"));
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

int fail(const QString& message)
{
    cli::printErr(QStringLiteral("telvo-cli send: ") + message);
    return 1;
}

int runSend(const QCommandLineParser& args)
{
    SendArgs a;
    if (const int rc = parseSendArgs(args, a))
        return rc;

    QByteArray bytes;
    if (a.raw) {
        if (const QString refusal = gcs::rawSendRefusal(a.rawText, a.hex); !refusal.isEmpty())
            return fail(refusal);
        bytes = gcs::rawSendPayload(a.rawText, a.hex);
    } else {
        gcs::CommandCatalog catalog;
        loadCatalog(catalog);
        const QString key = gcs::commandCatalogKey(a.commandId);
        bytes = catalog.build(key, a.commandArgs);
        if (bytes.isEmpty())
            return fail(gcs::unknownCommandText(key));
    }

    const QString port = gcs::portKeyFromText(a.port);
    auto transport = std::make_unique<gcs::SerialTransport>(port, a.baud);
    gcs::SerialTransport* link = transport.get();
    gcs::Session session(QStringLiteral("primary"), QStringLiteral("串口"), std::move(transport));
    QString linkError;
    QObject::connect(&session, &gcs::Session::errorOccurred,
                     [&linkError](const QString& message) { linkError = message; });
    if (!session.connectTransport()) {
        return fail(linkError.isEmpty() ? QStringLiteral("无法打开串口「%1」").arg(port)
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
        return fail(linkError.isEmpty() ? QStringLiteral("发送失败") : linkError);
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
