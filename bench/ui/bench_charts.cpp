// bench_charts [--rates 200,1000] [--seconds S] [--warmup S] [--page charts|attitude]
//              [--direct ROUNDS]
//
// The charts page live in the real window against telvo-sim: for each frame rate of the
// simulator, the process's CPU use and the window's frame timing while the four charts
// scroll. Not a test; run by hand, for example
//
//   xvfb-run -s "-screen 0 1920x1080x24" build/bin/bench_charts     (real renderer)
//   QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software build/bin/bench_charts
//
// Measured over the measuring seconds, after the warm-up:
// - CPU: user + system time of this process (all threads) divided by the wall time, in
//   per cent of one core;
// - frames: the intervals between QQuickWindow::frameSwapped signals (mean, median, 95th
//   percentile, worst) and the frames per second;
// - sync: beforeSynchronizing to afterSynchronizing, which is where QQuickPaintedItems
//   (the charts) paint their images; render: beforeRendering to afterRendering;
// - records: records decoded per second and samples per second the charts took;
// - 采样频率: what the page shows there, its difference from the records per second, and
//   the samples the roll chart stored per second (each record at its own time, thinned to
//   at most 250 a second).
//
// --page attitude measures the attitude page instead, as a baseline for what the charts
// add.
//
// --direct ROUNDS leaves the simulator out and measures the work per record on the GUI
// thread alone: the recorded sinsbin stream of tests/data is fed to the bridge ROUNDS
// times, one frame per chunk, without rendering in between; the time per record covers
// decoding, the page's bindings and, on the charts page, the four samples.
#include "TestSupport.h"
#include "WindowBench.h"
#include "app/Application.h"
#include "app/QmlTypes.h"
#include "catalog/ManagedDevices.h"
#include "ins/InsBridge.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

using bench::processCpuSeconds;
using bench::runFor;
using bench::waitFor;

// Items loaded by a Loader are visual children only, so walk the item tree.
QQuickItem* findItem(QQuickItem* root, const QString& name)
{
    if (!root)
        return nullptr;
    if (root->objectName() == name)
        return root;
    for (QQuickItem* child : root->childItems()) {
        if (QQuickItem* hit = findItem(child, name))
            return hit;
    }
    return nullptr;
}

struct Options
{
    QList<int> rates = { 200, 1000 };
    int seconds = 10;
    int warmup = 4;
    QString page = QStringLiteral("charts");
    int directRounds = 0;
};

// Records fed straight into the bridge on the shown page; prints the cost per record.
int runDirect(const Options& o)
{
    QFile file(QStringLiteral(GCS_TEST_DATA_DIR "/ins/sinsbin.bin"));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "bench_charts: %s\n", qPrintable(file.fileName()));
        return 1;
    }
    const QByteArray stream = file.readAll();
    constexpr int kFrame = 59;
    QTemporaryDir settings;
    qputenv("LOCALAPPDATA", QFile::encodeName(settings.path()));
    {
        gcs::Application seed;
        seed.managedDevices()->appendSerial(QStringLiteral("ins"), QString(),
                                            QStringLiteral("/dev/null-bench"), 115200, true,
                                            QStringLiteral("kt45"));
    }
    gcs::Application app;
    QQmlApplicationEngine engine;
    QQuickWindow* window = bench::loadMainWindow(engine, app);
    if (!window)
        return 1;
    window->setProperty("shellAtDeviceHub", false);
    app.setCurrentNav(o.page);
    runFor(300);
    // One pass so the hub is online and the page's layers are live.
    for (qsizetype at = 0; at + kFrame <= stream.size(); at += kFrame)
        app.ins()->feed(stream.mid(at, kFrame));
    runFor(200);
    QQuickItem* roll = findItem(window->contentItem(), QStringLiteral("rollChart"));
    int taken0 = 0;
    if (roll)
        QMetaObject::invokeMethod(roll, "takenCount", Q_RETURN_ARG(int, taken0));

    const int packets0 = app.ins()->recPackets();
    const double cpu0 = processCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    for (int r = 0; r < o.directRounds; ++r) {
        for (qsizetype at = 0; at + kFrame <= stream.size(); at += kFrame)
            app.ins()->feed(stream.mid(at, kFrame));
    }
    const double seconds = double(wall.nsecsElapsed()) / 1e9;
    const double cpu = processCpuSeconds() - cpu0;
    const int records = app.ins()->recPackets() - packets0;
    int taken = 0;
    if (roll)
        QMetaObject::invokeMethod(roll, "takenCount", Q_RETURN_ARG(int, taken));
    std::printf("%-8s direct  %d records  %.1f us/record (cpu %.1f us)  chart took %d\n",
                qPrintable(o.page), records, 1e6 * seconds / std::max(1, records),
                1e6 * cpu / std::max(1, records), taken - taken0);
    return 0;
}

int runOne(const Options& o, int rate)
{
    gcs::test::SimProcess sim;
    if (!sim.start({ QStringLiteral("--format"), QStringLiteral("sinsbin"),
                     QStringLiteral("--rate"), QString::number(rate) })) {
        std::fprintf(stderr, "bench_charts: telvo-sim: %s\n", qPrintable(sim.errorText()));
        return 1;
    }
    QTemporaryDir settings;
    qputenv("LOCALAPPDATA", QFile::encodeName(settings.path()));
    bench::seedManagedUnit(sim.port());
    gcs::Application app;
    QQmlApplicationEngine engine;
    QQuickWindow* window = bench::loadMainWindow(engine, app);
    if (!window) {
        std::fprintf(stderr, "bench_charts: the window did not load\n");
        return 1;
    }
    bench::FrameClock frames(window);

    if (!bench::enterWorkspaceConnected(window, app)) {
        std::fprintf(stderr, "bench_charts: no link to the simulator (%s)\n",
                     qPrintable(app.lastError()));
        return 1;
    }
    app.setCurrentNav(o.page);
    const QString pageName = QStringLiteral("page_") + o.page;
    QQuickItem* page = nullptr;
    waitFor(
        [&] {
            page = findItem(window->contentItem(), pageName);
            return page != nullptr;
        },
        3000);
    QQuickItem* roll = page ? findItem(page, QStringLiteral("rollChart")) : nullptr;
    if (!page || (o.page == QLatin1String("charts") && !roll)) {
        std::fprintf(stderr, "bench_charts: %s is not shown\n", qPrintable(pageName));
        return 1;
    }
    runFor(o.warmup * 1000);

    const auto samples = [roll] {
        int n = 0;
        if (roll)
            QMetaObject::invokeMethod(roll, "sampleCount", Q_RETURN_ARG(int, n));
        return n;
    };
    // The charts trim old samples, so count what they took through the decoder: every
    // record feeds one sample (checked by the end-to-end tests); report the chart's
    // own count beside it.
    const int packets0 = app.ins()->recPackets();
    const int samples0 = samples();
    frames.start();
    const double cpu0 = processCpuSeconds();
    QElapsedTimer wall;
    wall.start();
    runFor(o.seconds * 1000);
    const double seconds = double(wall.nsecsElapsed()) / 1e9;
    const double cpu = processCpuSeconds() - cpu0;
    frames.stop();
    const int packets = app.ins()->recPackets() - packets0;
    const int fed = samples() - samples0;
    // What the page shows after "采样频率", and the distinct sample times the roll
    // chart stored per second (a 4 ms slot holds one sample, so at most 250 a second).
    const QObject* meter = page->property("meter").value<QObject*>();
    const double shownRate = meter ? meter->property("rate").toDouble() : -1;
    const QString rateText = page->property("rateText").toString();

    const bench::Summary iv = frames.intervals();
    const bench::Summary sy = frames.sync();
    const bench::Summary re = frames.render();
    std::printf("%-8s %5d Hz  %-9s %-8s  cpu %5.1f %%  records %6.0f/s  chart +%d (%d held)\n",
                qPrintable(o.page), rate, qPrintable(QGuiApplication::platformName()),
                qPrintable(bench::graphicsApiName(window)), 100.0 * cpu / seconds,
                packets / seconds, fed, samples());
    std::printf("    采样频率 %s (meter %.1f Hz, %.2f %% off the packet rate)  stored "
                "%.1f samples/s\n",
                qPrintable(rateText), shownRate,
                packets > 0 ? 100.0 * (shownRate - packets / seconds) / (packets / seconds) : 0.0,
                fed / seconds);
    std::printf("    frames %4d  %5.1f fps  interval ms: mean %5.2f  median %5.2f  p95 %5.2f  "
                "worst %6.2f\n",
                iv.count, iv.count / seconds, iv.mean, iv.median, iv.p95, iv.worst);
    std::printf("    sync (painted items) ms: mean %5.2f  median %5.2f  p95 %5.2f  worst %6.2f\n",
                sy.mean, sy.median, sy.p95, sy.worst);
    std::printf("    render ms:              mean %5.2f  median %5.2f  p95 %5.2f  worst %6.2f\n",
                re.mean, re.median, re.p95, re.worst);
    std::fflush(stdout);
    app.disconnectPrimary();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir screenDir;
    bench::useDesignScreenOffscreen(screenDir);
    QApplication qapp(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("TelvoMonitor"));
    QCoreApplication::setApplicationName(QStringLiteral("TelvoMonitor"));
    QQuickStyle::setStyle(QStringLiteral("Fusion"));
    gcs::registerQmlTypes();

    Options o;
    const QStringList args = qapp.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        const QString& key = args.at(i);
        const QString& value = args.at(i + 1);
        if (key == QLatin1String("--rates")) {
            o.rates.clear();
            for (const QString& r : value.split(QLatin1Char(',')))
                o.rates << r.toInt();
        } else if (key == QLatin1String("--seconds")) {
            o.seconds = std::max(1, value.toInt());
        } else if (key == QLatin1String("--warmup")) {
            o.warmup = std::max(0, value.toInt());
        } else if (key == QLatin1String("--page")) {
            o.page = value;
        } else if (key == QLatin1String("--direct")) {
            o.directRounds = std::max(1, value.toInt());
        } else {
            std::fprintf(stderr,
                         "usage: bench_charts [--rates 200,1000] [--seconds S] [--warmup S] "
                         "[--page charts|attitude] [--direct ROUNDS]\n");
            return 2;
        }
    }
    if (o.directRounds > 0)
        return runDirect(o);
    int rc = 0;
    for (int rate : o.rates)
        rc |= runOne(o, rate);
    return rc;
}
