// telvo-shots OUT_DIR [--sim] [--pages] [--config] [--noise] [--replay] [--language L]
//
// Opens the real window on the real controller with throw-away settings and writes PNGs
// of each body state (welcome panel, device hub, workspace pages, dialogs, confirmation,
// notices) in each theme to OUT_DIR (for example build/shots). With --sim it also
// connects a KT45 on telvo-sim and photographs the live workspace and the live
// telemetry pages (attitude, charts, parsed data, statistics, track) and the upgrade page,
// and "数据转发" open with both outputs on.
// --pages photographs only the telemetry pages, offline and live, in every theme at the
// medium and the smallest tier. --config (with --sim) photographs only the configuration,
// raw console and record pages live. --noise photographs only the noise analysis page, on
// recordings telvo-sim writes to files.
// --replay records telvo-sim for a while and photographs only the replay workspace on
// that recording (it starts the simulator itself). --language en shows the window in English
// (zh_CN, the default, in Chinese).
//
// Without a display it runs on the offscreen platform with a 1920 x 1080 screen, so the
// window opens at its real medium size.
#include "ConfigShots.h"
#include "NoiseShots.h"
#include "ReplayShots.h"
#include "ShotStage.h"
#include "app/Application.h"
#include "app/QmlTypes.h"
#include "catalog/ManagedDevices.h"
#include "discovery/DiscoveryTexts.h"
#include "forward/Forwarder.h"

#include "ShotSupport.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>

namespace {

const char kUsage[]
    = "usage: telvo-shots OUT_DIR [--sim] [--pages] [--config] [--noise] [--replay]\n"
      "                   [--language zh_CN|en]\n"
      "\n"
      "Photographs the window in each body state and theme into OUT_DIR (created when\n"
      "missing), on throw-away settings.\n"
      "  --sim     also connect a unit on telvo-sim and photograph the live workspace\n"
      "  --pages   only the telemetry pages, offline and live, at two sizes\n"
      "  --config  with --sim: only the configuration, console and record pages\n"
      "  --noise   only the noise analysis page, on recordings of telvo-sim\n"
      "  --replay  only the replay workspace, on a recording of telvo-sim\n"
      "  --language L  the window's language: zh_CN (default) or en\n"
      "  --help    this text\n";

using shots::kThemes;
using shots::prop;
using shots::settle;
using shots::waitFor;

void call(QObject* o, const char* method, const QVariant& arg = QVariant())
{
    if (!o)
        return;
    if (arg.isValid())
        QMetaObject::invokeMethod(o, method, Q_ARG(QVariant, arg));
    else
        QMetaObject::invokeMethod(o, method);
}

// The telemetry pages, shown in turn; the charts get a few seconds to fill.
bool shootTelemetryPages(shots::Stage& stage, const std::function<QString(const char*)>& file,
                         const char* suffix)
{
    struct Page
    {
        const char* nav;
        const char* name;
        int settleMs;
    };
    const Page pages[] = { { "attitude", "attitude", 900 }, { "charts", "charts", 4500 },
                           { "message", "message", 900 },   { "stats", "stats", 1300 },
                           { "upgrade", "upgrade", 600 },   { "track", "track", 8000 } };
    bool ok = true;
    int n = 0;
    for (const Page& p : pages) {
        stage.app()->setCurrentNav(QString::fromLatin1(p.nav));
        const QByteArray name = QStringLiteral("p%1-%2-%3")
                                    .arg(++n)
                                    .arg(QLatin1String(p.name), QLatin1String(suffix))
                                    .toLatin1();
        // Offline there is nothing to wait for.
        settle(std::strcmp(suffix, "live") == 0 ? p.settleMs : std::min(p.settleMs, 900));
        // Only the page itself: notices of the connect would cover its title.
        call(prop(stage.window(), "toasts"), "clear");
        ok = stage.shoot(file(name.constData()), 150) && ok;
    }
    stage.app()->setCurrentNav(QStringLiteral("attitude"));
    return ok;
}

// "数据转发" open over the live workspace: both outputs on, one NMEA client served.
bool shootForwardPanel(shots::Stage& stage, const QString& path)
{
    gcs::Forwarder* forward = stage.app()->forward();
    QTcpServer probe; // the usual port when it is free, else any
    quint16 port = gcs::Forwarder::kDefaultNmeaPort;
    if (!probe.listen(QHostAddress::LocalHost, port) && probe.listen(QHostAddress::LocalHost, 0))
        port = probe.serverPort();
    probe.close();
    forward->setUdp(true, QString::fromLatin1(gcs::Forwarder::kDefaultUdpHost),
                    gcs::Forwarder::kDefaultUdpPort);
    forward->setNmea(true, QString::fromLatin1(gcs::Forwarder::kDefaultNmeaHost), port,
                     gcs::Forwarder::kDefaultNmeaRate);
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, port);
    waitFor([&] { return forward->nmeaClients() == 1; }, 3000);
    QObject* panel = prop(prop(prop(stage.window(), "body"), "contextBar"), "forwardPanel");
    call(prop(stage.window(), "toasts"), "clear");
    call(panel, "open");
    settle(1200); // the counters are told twice a second
    const bool ok = stage.shoot(path);
    call(panel, "close");
    forward->setUdp(false, QString(), 0);
    forward->setNmea(false, QString(), 0, gcs::Forwarder::kDefaultNmeaRate);
    return ok;
}

bool shootTheme(const QString& binDir, const QDir& out, int themeIndex, const QString& tier,
                const QString& simPort, bool pagesOnly)
{
    const QString theme = QString::fromLatin1(kThemes[themeIndex]);
    const auto file = [&](const char* state) {
        return out.filePath(QStringLiteral("%1-%2-%3.png").arg(theme, tier, QLatin1String(state)));
    };
    bool ok = true;

    if (!pagesOnly) {
        shots::Stage stage(binDir, {}, tier);
        if (!stage.hasWindow())
            return false;
        stage.setTheme(themeIndex);
        ok = stage.shoot(file("1-welcome")) && ok;
        call(stage.window(), "openAddDevice");
        ok = stage.shoot(file("2-add-dialog")) && ok;
        // The baud list with one rate of the user's own.
        stage.app()->addCustomSerialBaud(57600);
        call(prop(stage.window(), "toasts"), "clear");
        call(prop(prop(prop(stage.window(), "connectionDialog"), "baudBox"), "popup"), "open");
        ok = stage.shoot(file("2b-baud-list")) && ok;
    }

    const QStringList ports
        = { simPort.isEmpty() ? QStringLiteral("/dev/ttyUSB0") : simPort,
            QStringLiteral("/dev/ttyUSB1"), QStringLiteral("COM7"), QStringLiteral("/dev/ttyS3") };
    shots::Stage stage(binDir, ports, tier);
    if (!stage.hasWindow())
        return false;
    stage.setTheme(themeIndex);
    QQuickWindow* w = stage.window();
    QObject* toasts = prop(w, "toasts");
    const QString current = stage.app()->managedDevices()->currentId();
    if (pagesOnly) {
        if (!QMetaObject::invokeMethod(w, "enterDeviceWorkspace", Q_ARG(QVariant, current))
            || w->property("bodyState").toString() != QLatin1String("workspace"))
            w->setProperty("shellAtDeviceHub", false);
        // Offline first: entering starts the connect, so take the link down again.
        waitFor([&] { return stage.app()->currentManagedConnected(); }, 8000);
        stage.app()->disconnectPrimary();
        waitFor([&] { return !stage.app()->currentManagedConnected(); }, 3000);
        call(toasts, "clear");
        ok = shootTelemetryPages(stage, file, "offline") && ok;
        if (!simPort.isEmpty()) {
            stage.app()->connectCurrentManaged();
            if (waitFor([&] { return stage.app()->currentManagedConnected(); }, 8000)) {
                call(toasts, "clear");
                ok = shootTelemetryPages(stage, file, "live") && ok;
            } else {
                std::fprintf(stderr, "telvo-shots: no link to the simulator (%s)\n",
                             qPrintable(stage.app()->lastError()));
                ok = false;
            }
        }
        return ok;
    }
    ok = stage.shoot(file("3-hub")) && ok;

    call(w, "openEditDevice", current);
    ok = stage.shoot(file("4-edit-dialog")) && ok;
    call(prop(w, "connectionDialog"), "close");
    call(w, "requestRemoveDevice", current);
    ok = stage.shoot(file("5-remove-confirm")) && ok;
    call(prop(w, "removeConfirm"), "cancel");

    // A notice and an error as the program words them, in the language shown.
    stage.app()->addCustomSerialBaud(57600);
    QMetaObject::invokeMethod(
        toasts, "push", Q_ARG(QVariant, QStringLiteral("error")),
        Q_ARG(QVariant,
              gcs::discoverytext::linkCheckFailed(QStringLiteral("/dev/ttyUSB0"), 115200)));
    ok = stage.shoot(file("6-toasts")) && ok;
    call(toasts, "clear");

    // The workspace of the current device, on two pages.
    if (!QMetaObject::invokeMethod(w, "enterDeviceWorkspace", Q_ARG(QVariant, current))
        || w->property("bodyState").toString() != QLatin1String("workspace"))
        w->setProperty("shellAtDeviceHub", false);
    call(toasts, "clear");
    stage.app()->setCurrentNav(QStringLiteral("attitude"));
    ok = stage.shoot(file("7-workspace-attitude")) && ok;
    stage.app()->setCurrentNav(QStringLiteral("upgrade"));
    ok = stage.shoot(file("8-workspace-upgrade")) && ok;
    stage.app()->setCurrentNav(QStringLiteral("attitude"));

    if (!simPort.isEmpty()) {
        // Entering connects by itself; connect here only when that did not happen.
        if (!stage.app()->connecting() && !stage.app()->currentManagedConnected())
            stage.app()->connectCurrentManaged();
        if (waitFor([&] { return stage.app()->currentManagedConnected(); }, 8000)) {
            call(toasts, "clear");
            ok = stage.shoot(file("9-workspace-online"), 1200) && ok;
            ok = shootForwardPanel(stage, file("9b-forward-panel")) && ok;
            ok = shootTelemetryPages(stage, file, "live") && ok;
            call(w, "showDeviceHub");
            ok = stage.shoot(file("10-hub-online")) && ok;
        } else
            std::fprintf(stderr, "telvo-shots: no link to the simulator (%s)\n",
                         qPrintable(stage.app()->lastError()));
    }
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir screenDir;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")) {
        const QString config = screenDir.filePath(QStringLiteral("screen.json"));
        QFile f(config);
        if (f.open(QIODevice::WriteOnly)) {
            f.write(R"({"screens":[{"name":"SHOTS","x":0,"y":0,"width":1920,"height":1080,)"
                    R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})");
            f.close();
        }
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config));
        qputenv("QT_QUICK_BACKEND", "software");
    }
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("TelvoMonitor"));
    QCoreApplication::setApplicationName(QStringLiteral("TelvoMonitor"));
    QCommandLineParser parser;
    const QCommandLineOption help = parser.addHelpOption();
    for (const char* name : { "sim", "pages", "config", "noise", "replay" })
        parser.addOption(QCommandLineOption(QString::fromLatin1(name)));
    const QCommandLineOption language(QStringLiteral("language"), QString(), QStringLiteral("L"),
                                      QStringLiteral("zh_CN"));
    parser.addOption(language);
    const bool parsed = parser.parse(app.arguments());
    if (parser.isSet(help)) {
        return std::fputs(kUsage, stdout) >= 0 && std::fflush(stdout) == 0 ? 0 : 1;
    }
    const QString code = parser.value(language);
    QString refusal;
    if (!parsed)
        refusal = parser.errorText();
    else if (parser.positionalArguments().size() != 1)
        refusal = QStringLiteral("one OUT_DIR needed");
    else if (code != QLatin1String("zh_CN") && code != QLatin1String("en"))
        refusal = QStringLiteral("--language is zh_CN or en, not \"%1\"").arg(code);
    if (!refusal.isEmpty()) {
        std::fprintf(stderr, "telvo-shots: %s\n\n%s", qPrintable(refusal), kUsage);
        return 2;
    }
    shots::Stage::setLanguage(code);
    const auto given
        = [&parser](const char* name) { return parser.isSet(QString::fromLatin1(name)); };
    QDir out(parser.positionalArguments().first());
    out.mkpath(QStringLiteral("."));
    const QString binDir = QCoreApplication::applicationDirPath();

    QQuickStyle::setStyle(QStringLiteral("Fusion"));
    gcs::registerQmlTypes();

    if (given("noise"))
        return shootNoisePage(binDir, out) ? 0 : 1;

    QTemporaryDir simDir;
    QProcess sim;
    QString simPort;
    if (given("sim") || given("replay")) {
        simPort = simDir.filePath(QStringLiteral("ttyINS0"));
        sim.start(
            QDir(binDir).filePath(QStringLiteral("telvo-sim")),
            { QStringLiteral("--link"), simPort, QStringLiteral("--rate"), QStringLiteral("200") });
        if (!sim.waitForStarted(3000) || !waitFor([&] { return QFile::exists(simPort); }, 3000)) {
            std::fprintf(stderr, "telvo-shots: telvo-sim did not start\n");
            return 1;
        }
    }

    // Every theme at the medium tier the window opens with, and the smallest tier in one
    // dark and the light theme, where clipping shows first. The telemetry pages are
    // photographed in every theme at both tiers.
    const bool pagesOnly = given("pages");
    bool ok = true;
    if (given("replay")) {
        ok = shootReplay(binDir, out, simPort);
        sim.terminate();
        sim.waitForFinished(3000);
        return ok ? 0 : 1;
    }
    if (given("config") && !simPort.isEmpty()) {
        ok = shootConfigPages(binDir, out, simPort);
        sim.terminate();
        sim.waitForFinished(3000);
        return ok ? 0 : 1;
    }
    for (int i = 0; i < 4; ++i)
        ok = shootTheme(binDir, out, i, QStringLiteral("medium"), simPort, pagesOnly) && ok;
    for (int i = 0; i < 4; ++i) {
        const bool full = !pagesOnly && (i == 0 || i == 2);
        if (full || pagesOnly || !simPort.isEmpty())
            ok = shootTheme(binDir, out, i, QStringLiteral("min"), simPort, !full) && ok;
    }
    if (sim.state() != QProcess::NotRunning) {
        sim.terminate();
        sim.waitForFinished(3000);
    }
    return ok ? 0 : 1;
}
