// bench_window_load --case hub|workspace|attitude|charts|stats [--rate HZ] [--seconds S]
//                   [--warmup S] [--reduce-motion] [--rss-every S] [--grab PNG]
//
// What the real window costs in one state, against telvo-sim: the process's CPU share
// (user + system time of every thread, the renderer's included, over wall time, in per
// cent of one core), its resident memory, and the frames it drew per second. One state
// per run, so that each starts with a fresh process; bench/ui/window_load.sh runs the
// whole table under Xvfb on Mesa's OpenGL and on Qt Quick's software backend.
//
// - hub: the device hub with one managed device, nothing connected;
// - workspace: the workspace of that device, not connected (its attitude page);
// - attitude, charts, stats: the page with the device connected to telvo-sim streaming
//   sinsbin at --rate frames a second (default 1000).
//
// The process starts like the program does (gcs::RenderSetup), so the renderer it
// chooses and its allocator settings are the program's; QT_QUICK_BACKEND overrides the
// renderer as usual. --rss-every prints the resident memory every S seconds of the
// measurement, for a long run; --grab saves what the window shows at the end, to compare
// the renderers' pictures. Not a test; run by hand.
#include "TestSupport.h"
#include "WindowBench.h"
#include "app/Application.h"
#include "app/QmlTypes.h"
#include "app/RenderSetup.h"
#include "catalog/AppSettings.h"
#include "catalog/ManagedDevices.h"
#include "ins/InsBridge.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QQmlApplicationEngine>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QTemporaryDir>

#include <cstdio>

namespace {

using bench::processCpuSeconds;
using bench::residentMiB;
using bench::runFor;
using bench::waitFor;

struct Options
{
    QString state;
    int rate = 1000;
    int seconds = 20;
    int warmup = 5;
    bool reduceMotion = false;
    int rssEvery = 0;
    QString grab;
};

bool parse(const QStringList& args, Options& o)
{
    for (int i = 1; i < args.size(); ++i) {
        const QString& key = args.at(i);
        if (key == QLatin1String("--reduce-motion")) {
            o.reduceMotion = true;
            continue;
        }
        if (i + 1 >= args.size())
            return false;
        const QString value = args.at(++i);
        if (key == QLatin1String("--case"))
            o.state = value;
        else if (key == QLatin1String("--rate"))
            o.rate = value.toInt();
        else if (key == QLatin1String("--seconds"))
            o.seconds = std::max(1, value.toInt());
        else if (key == QLatin1String("--warmup"))
            o.warmup = std::max(0, value.toInt());
        else if (key == QLatin1String("--rss-every"))
            o.rssEvery = std::max(0, value.toInt());
        else if (key == QLatin1String("--grab"))
            o.grab = value;
        else
            return false;
    }
    static const QStringList kStates
        = { QStringLiteral("hub"), QStringLiteral("workspace"), QStringLiteral("attitude"),
            QStringLiteral("charts"), QStringLiteral("stats") };
    return kStates.contains(o.state) && o.rate > 0;
}

int run(const Options& o)
{
    const bool live = o.state != QLatin1String("hub") && o.state != QLatin1String("workspace");
    gcs::test::SimProcess sim;
    QString port = QStringLiteral("/dev/null-bench");
    if (live) {
        if (!sim.start({ QStringLiteral("--format"), QStringLiteral("sinsbin"),
                         QStringLiteral("--rate"), QString::number(o.rate) })) {
            std::fprintf(stderr, "bench_window_load: telvo-sim: %s\n", qPrintable(sim.errorText()));
            return 1;
        }
        port = sim.port();
    }
    QTemporaryDir settings;
    qputenv("LOCALAPPDATA", QFile::encodeName(settings.path()));
    bench::seedManagedUnit(port, o.reduceMotion);
    gcs::Application app;
    QQmlApplicationEngine engine;
    QQuickWindow* window = bench::loadMainWindow(engine, app);
    if (!window) {
        std::fprintf(stderr, "bench_window_load: the window did not load\n");
        return 1;
    }
    bench::FrameClock frames(window);
    if (live) {
        if (!bench::enterWorkspaceConnected(window, app)) {
            std::fprintf(stderr, "bench_window_load: no link to the simulator (%s)\n",
                         qPrintable(app.lastError()));
            return 1;
        }
        app.setCurrentNav(o.state);
    } else if (o.state == QLatin1String("workspace")) {
        window->setProperty("shellAtDeviceHub", false);
    }
    runFor(o.warmup * 1000);
    if (live && app.ins()->recPackets() == 0) {
        std::fprintf(stderr, "bench_window_load: no records decoded\n");
        return 1;
    }

    const int packets0 = app.ins()->recPackets();
    frames.start();
    const double cpu0 = processCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    double peak = residentMiB();
    for (int s = 1; s <= o.seconds; ++s) {
        runFor(int(s * 1000 - wall.elapsed()));
        peak = std::max(peak, residentMiB());
        if (o.rssEvery > 0 && s % o.rssEvery == 0) {
            std::printf("    %5d s  rss %6.1f MiB  cpu %5.1f %%\n", s, residentMiB(),
                        100.0 * (processCpuSeconds() - cpu0) / (double(wall.elapsed()) / 1e3));
            std::fflush(stdout);
        }
    }
    const double seconds = double(wall.nsecsElapsed()) / 1e9;
    const double cpu = processCpuSeconds() - cpu0;
    frames.stop();
    const bench::Summary iv = frames.intervals();
    std::printf("%-9s %5s  motion %-3s  %-8s  cpu %6.1f %%  rss %6.1f MiB (peak %6.1f)  "
                "frames %5.1f/s  records %6.0f/s\n",
                qPrintable(o.state), live ? qPrintable(QString::number(o.rate)) : "-",
                o.reduceMotion ? "off" : "on", qPrintable(bench::graphicsApiName(window).toLower()),
                100.0 * cpu / seconds, residentMiB(), peak, iv.count / seconds,
                (app.ins()->recPackets() - packets0) / seconds);
    std::fflush(stdout);
    if (!o.grab.isEmpty() && !window->grabWindow().save(o.grab))
        std::fprintf(stderr, "bench_window_load: could not save %s\n", qPrintable(o.grab));
    app.disconnectPrimary();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    gcs::RenderSetup::prepareProcess();
    QApplication qapp(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("TelvoMonitor"));
    QCoreApplication::setApplicationName(QStringLiteral("TelvoMonitor"));
    QQuickStyle::setStyle(QStringLiteral("Fusion"));
    gcs::registerQmlTypes();
    gcs::RenderSetup::chooseBackend();
    Options o;
    if (!parse(qapp.arguments(), o)) {
        std::fprintf(stderr,
                     "usage: bench_window_load --case hub|workspace|attitude|charts|stats "
                     "[--rate HZ] [--seconds S] [--warmup S] [--reduce-motion] "
                     "[--rss-every S] [--grab PNG]\n");
        return 2;
    }
    return run(o);
}
