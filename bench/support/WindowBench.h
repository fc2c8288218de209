#pragma once

// What the benchmarks of the real window share: waiting while the event loop turns, a
// summary of timings, the process's CPU time and resident memory, the screen the window
// is designed for, loading the window on a controller, and the frame timing of a window.

#include "app/Application.h"
#include "catalog/AppSettings.h"
#include "catalog/ManagedDevices.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <mutex>
#include <vector>

#ifdef Q_OS_WIN
#include <psapi.h>
#include <windows.h>
#else
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace bench {

/// The name of the graphics API the window renders with ("software", "OpenGL", ...).
inline QString graphicsApiName(QQuickWindow* w)
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

/// CPU time of the whole process (every thread, the renderer's too), in seconds.
inline double processCpuSeconds()
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

/// Resident memory of the process now, in MiB (0 where it cannot be read).
inline double residentMiB()
{
#ifdef Q_OS_WIN
    PROCESS_MEMORY_COUNTERS counters {};
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return 0;
    return double(counters.WorkingSetSize) / (1024.0 * 1024.0);
#else
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> parts = statm.readAll().split(' ');
    if (parts.size() < 2)
        return 0;
    return parts.at(1).toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
#endif
}

/// Turns the event loop until pred holds or ms milliseconds passed; returns pred().
/// The loop sleeps between events (pred is checked every 5 ms), so that the process's CPU
/// time is the window's, not the wait's.
inline bool waitFor(const std::function<bool()>& pred, int ms)
{
    if (pred())
        return true;
    QElapsedTimer t;
    t.start();
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (pred() || t.elapsed() >= ms)
            loop.quit();
    });
    poll.start(5);
    loop.exec();
    return pred();
}

/// Turns the event loop for ms milliseconds, sleeping between events.
inline void runFor(int ms)
{
    if (ms <= 0)
        return;
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

struct Summary
{
    double mean = 0, median = 0, p95 = 0, worst = 0;
    int count = 0;
};

inline Summary summarise(std::vector<double> v)
{
    Summary s;
    s.count = int(v.size());
    if (v.empty())
        return s;
    std::sort(v.begin(), v.end());
    double sum = 0;
    for (double x : v)
        sum += x;
    s.mean = sum / double(v.size());
    s.median = v[v.size() / 2];
    s.p95 = v[std::min(v.size() - 1, size_t(double(v.size()) * 0.95))];
    s.worst = v.back();
    return s;
}

/// Without a display (or on the offscreen platform) the offscreen platform gets the
/// 1920 x 1080 screen the window is designed for: its own 800 x 800 is smaller than the
/// window's minimum. The screen's file lives in dir. Call before the application object;
/// true when the platform was not chosen by the caller's environment.
inline bool useDesignScreenOffscreen(const QTemporaryDir& dir)
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const bool chosenHere = platform.isEmpty() && qEnvironmentVariableIsEmpty("DISPLAY");
    if (!chosenHere && platform != "offscreen")
        return false;
    const QString config = dir.filePath(QStringLiteral("screen.json"));
    QFile f(config);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(R"({"screens":[{"name":"BENCH","x":0,"y":0,"width":1920,"height":1080,)"
            R"("logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})");
    f.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(config));
    return chosenHere;
}

/// Takes one KT45 on port under management in the settings of LOCALAPPDATA, as a user
/// would before starting the window, with "减少动效" as given.
inline void seedManagedUnit(const QString& port, bool reduceMotion = false)
{
    gcs::Application seed;
    seed.managedDevices()->appendSerial(QStringLiteral("ins"), QString(), port, 115200, true,
                                        QStringLiteral("kt45"));
    seed.settings()->setReduceMotion(reduceMotion);
}

/// Opens the workspace of the managed unit in window and waits until its link is up.
inline bool enterWorkspaceConnected(QQuickWindow* window, gcs::Application& app, int ms = 15000)
{
    const QString id = app.managedDevices()->currentId();
    QMetaObject::invokeMethod(window, "enterDeviceWorkspace", Q_ARG(QVariant, id));
    return waitFor([&] { return app.currentManagedConnected(); }, ms);
}

/// The main window on app, with the profiles beside the program loaded first, shown and
/// placed; null when it does not load.
inline QQuickWindow* loadMainWindow(QQmlApplicationEngine& engine, gcs::Application& app)
{
    app.loadProfiles(
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("profiles")));
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

/// Frame timing of one window between start() and stop(), collected from the render
/// thread's signals: the intervals between swapped frames, and the synchronising and
/// rendering spans.
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

    Summary intervals() const { return take(m_intervals); }
    Summary sync() const { return take(m_sync); }
    Summary render() const { return take(m_render); }

private:
    double elapsedMs() const { return double(m_clock.nsecsElapsed()) / 1e6; }

    /// Collects the time from each begin signal to the following end signal.
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

    Summary take(const std::vector<double>& v) const
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

} // namespace bench
