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
#include "app/Application.h"
#include "app/QmlTypes.h"
#include "catalog/ManagedDevices.h"
#include "ins/InsBridge.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/resource.h>
#endif

namespace {

// CPU time of the whole process (every thread), in seconds.
double processCpuSeconds()
{
#ifdef Q_OS_WIN
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        return 0;
    const auto seconds = [](const FILETIME& t) {
        return double((quint64(t.dwHighDateTime) << 32) | t.dwLowDateTime) * 1e-7;
    };
    return seconds(kernel) + seconds(user);
#else
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + t.tv_usec * 1e-6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
#endif
}

bool waitFor(const std::function<bool()>& pred, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!pred() && t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return pred();
}

void runFor(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 10);
}

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

struct Stats
{
    double mean = 0, median = 0, p95 = 0, worst = 0;
    int count = 0;
};

Stats summarise(std::vector<double> v)
{
    Stats s;
    s.count = int(v.size());
    if (v.empty())
        return s;
    std::sort(v.begin(), v.end());
    double sum = 0;
    for (double x : v)
        sum += x;
    s.mean = sum / v.size();
    s.median = v[v.size() / 2];
    s.p95 = v[std::min(v.size() - 1, size_t(v.size() * 0.95))];
    s.worst = v.back();
    return s;
}

/// Frame timing of one window, collected from the render thread's signals.
class FrameClock
{
public:
    explicit FrameClock(QQuickWindow* w)
    {
        m_clock.start();
        timeSpan(w, &QQuickWindow::beforeSynchronizing, &QQuickWindow::afterSynchronizing,
                 m_syncStart, m_sync);
        timeSpan(w, &QQuickWindow::beforeRendering, &QQuickWindow::afterRendering, m_renderStart,
                 m_render);
        QObject::connect(
            w, &QQuickWindow::frameSwapped, w,
            [this] {
                std::lock_guard<std::mutex> lock(m_mutex);
                const double t = elapsedMs();
                if (m_on && m_lastSwap > 0)
                    m_intervals.push_back(t - m_lastSwap);
                m_lastSwap = t;
            },
            Qt::DirectConnection);
    }

    void start()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_on = true;
        m_lastSwap = 0;
        m_intervals.clear();
        m_sync.clear();
        m_render.clear();
    }

    void stop()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_on = false;
    }

    Stats intervals() const { return take(m_intervals); }
    Stats sync() const { return take(m_sync); }
    Stats render() const { return take(m_render); }

private:
    double elapsedMs() const { return double(m_clock.nsecsElapsed()) / 1e6; }

    /// Collects the time from each begin signal to the following end signal (render thread).
    template<class Begin, class End>
    void timeSpan(QQuickWindow* w, Begin begin, End end, double& start, std::vector<double>& out)
    {
        QObject::connect(
            w, begin, w,
            [this, &start] {
                std::lock_guard<std::mutex> lock(m_mutex);
                start = elapsedMs();
            },
            Qt::DirectConnection);
        QObject::connect(
            w, end, w,
            [this, &start, &out] {
                std::lock_guard<std::mutex> lock(m_mutex);
                if (m_on)
                    out.push_back(elapsedMs() - start);
            },
            Qt::DirectConnection);
    }

    Stats take(const std::vector<double>& v) const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return summarise(v);
    }

    QElapsedTimer m_clock;
    mutable std::mutex m_mutex;
    bool m_on = false;
    double m_syncStart = 0, m_renderStart = 0, m_lastSwap = 0;
    std::vector<double> m_intervals, m_sync, m_render;
};

QString graphicsApiName(QQuickWindow* w)
{
    switch (w->rendererInterface()->graphicsApi()) {
    case QSGRendererInterface::Software:
        return QStringLiteral("software");
    case QSGRendererInterface::OpenGL:
        return QStringLiteral("OpenGL");
    case QSGRendererInterface::Vulkan:
        return QStringLiteral("Vulkan");
    default:
        return QStringLiteral("other");
    }
}

struct Options
{
    QList<int> rates = { 200, 1000 };
    int seconds = 10;
    int warmup = 4;
    QString page = QStringLiteral("charts");
    int directRounds = 0;
};

QQuickWindow* loadWindow(QQmlApplicationEngine& engine, gcs::Application& app)
{
    engine.rootContext()->setContextProperty(QStringLiteral("app"), &app);
    engine.addImportPath(QStringLiteral("qrc:/"));
    engine.load(QUrl(QStringLiteral("qrc:/Corvane/GCS/Main.qml")));
    auto* window = engine.rootObjects().isEmpty()
        ? nullptr
        : qobject_cast<QQuickWindow*>(engine.rootObjects().constFirst());
    if (!window)
        return nullptr;
    window->show();
    waitFor([&] { return window->property("centredOnce").toBool(); }, 3000);
    return window;
}

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
    app.loadProfiles(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("profiles")));
    QQmlApplicationEngine engine;
    QQuickWindow* window = loadWindow(engine, app);
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
    {
        gcs::Application seed;
        seed.managedDevices()->appendSerial(QStringLiteral("ins"), QString(), sim.port(), 115200,
                                            true, QStringLiteral("kt45"));
    }
    gcs::Application app;
    app.loadProfiles(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("profiles")));
    QQmlApplicationEngine engine;
    engine.rootContext()->setContextProperty(QStringLiteral("app"), &app);
    engine.addImportPath(QStringLiteral("qrc:/"));
    engine.load(QUrl(QStringLiteral("qrc:/Corvane/GCS/Main.qml")));
    auto* window = engine.rootObjects().isEmpty()
        ? nullptr
        : qobject_cast<QQuickWindow*>(engine.rootObjects().constFirst());
    if (!window) {
        std::fprintf(stderr, "bench_charts: the window did not load\n");
        return 1;
    }
    window->show();
    waitFor([&] { return window->property("centredOnce").toBool(); }, 3000);
    FrameClock frames(window);

    const QString id = app.managedDevices()->currentId();
    QMetaObject::invokeMethod(window, "enterDeviceWorkspace", Q_ARG(QVariant, id));
    if (!waitFor([&] { return app.currentManagedConnected(); }, 15000)) {
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

    const Stats iv = frames.intervals();
    const Stats sy = frames.sync();
    const Stats re = frames.render();
    std::printf("%-8s %5d Hz  %-9s %-8s  cpu %5.1f %%  records %6.0f/s  chart +%d (%d held)\n",
                qPrintable(o.page), rate, qPrintable(QGuiApplication::platformName()),
                qPrintable(graphicsApiName(window)), 100.0 * cpu / seconds, packets / seconds, fed,
                samples());
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
    // The offscreen platform's own screen (800 x 800) is smaller than the window's
    // minimum; give it the 1920 x 1080 screen the window is designed for.
    QTemporaryDir screenDir;
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen") {
        const QString config = screenDir.filePath(QStringLiteral("screen.json"));
        QFile f(config);
        if (f.open(QIODevice::WriteOnly)) {
            f.write(R"({"screens":[{"name":"BENCH","x":0,"y":0,"width":1920,"height":1080,)"
                    R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})");
            f.close();
            qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config));
        }
    }
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
