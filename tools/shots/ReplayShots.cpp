#include "ReplayShots.h"
#include "ShotSupport.h"

#include "app/Application.h"
#include "catalog/ManagedDevices.h"
#include "ins/InsBridge.h"
#include "record/Recorder.h"
#include "replay/ReplayController.h"

#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickWindow>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {

using shots::prop;
using shots::settle;
using shots::waitFor;

/// How long the simulator is recorded.
constexpr int kRecordMs = 20000;

/// Records the simulator into dir; the message log's and the raw capture's paths, or
/// empty ones when that did not work.
QStringList recordSim(const QString& simPort, const QString& dir)
{
    gcs::Application app;
    app.connectSerial(simPort, 115200);
    if (!waitFor([&] { return app.currentManagedConnected(); }, 8000)
        || !waitFor([&] { return !app.ins()->packetFormat().isEmpty(); }, 3000)
        || !app.startRecordInDir(dir)) {
        std::fprintf(stderr, "telvo-shots: no recording of the simulator (%s)\n",
                     qPrintable(app.lastError()));
        return {};
    }
    settle(kRecordMs);
    const QStringList paths = { app.recorder()->textPath(), app.recorder()->rawPath() };
    app.stopRecord();
    app.disconnectPrimary();
    return paths;
}

/// The window on a controller that manages one device (so the hub shows), with file
/// dialogs that answer the recording.
class ReplayStage
{
public:
    ReplayStage(const QString& binDir, const QString& simPort, const QString& tier, int theme)
    {
        qputenv("LOCALAPPDATA", QFile::encodeName(m_dir.path()));
        {
            gcs::Application seed;
            seed.managedDevices()->appendSerial(QStringLiteral("ins"), QString(), simPort, 115200,
                                                true, QStringLiteral("kt45"));
        }
        m_app = std::make_unique<gcs::Application>();
        m_app->loadProfiles(QDir(binDir).filePath(QStringLiteral("profiles")));
        m_app->setFileChooser(
            [this](gcs::FileDialogs::Kind, const QString&, const QString&) { return m_answer; });
        m_engine = std::make_unique<QQmlApplicationEngine>();
        m_engine->rootContext()->setContextProperty(QStringLiteral("app"), m_app.get());
        m_engine->addImportPath(QStringLiteral("qrc:/"));
        m_engine->load(QUrl(QStringLiteral("qrc:/Corvane/GCS/Main.qml")));
        if (!m_engine->rootObjects().isEmpty())
            m_window = qobject_cast<QQuickWindow*>(m_engine->rootObjects().constFirst());
        if (!m_window)
            return;
        m_window->show();
        waitFor([this] { return m_window->property("centredOnce").toBool(); }, 2000);
        QMetaObject::invokeMethod(m_window, "applyWindowTier", Q_ARG(QVariant, tier));
        if (QObject* box = prop(prop(m_window, "header"), "themeBox"))
            box->setProperty("currentIndex", theme);
    }
    ~ReplayStage()
    {
        m_engine.reset();
        m_app.reset();
    }

    bool ok() const { return m_window != nullptr; }
    gcs::Application* app() const { return m_app.get(); }
    QQuickWindow* window() const { return m_window; }
    void answer(const QString& path) { m_answer = path; }
    void clearToasts() { QMetaObject::invokeMethod(prop(m_window, "toasts"), "clear"); }
    bool shoot(const QString& path, int settleMs)
    {
        settle(settleMs);
        clearToasts();
        return shots::grabTo(m_window, path);
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<gcs::Application> m_app;
    std::unique_ptr<QQmlApplicationEngine> m_engine;
    QQuickWindow* m_window = nullptr;
    QString m_answer;
};

bool shootOne(const QString& binDir, const QDir& out, const QString& simPort,
              const QStringList& recordings, const QString& tier, int theme)
{
    ReplayStage stage(binDir, simPort, tier, theme);
    if (!stage.ok())
        return false;
    const auto file = [&](const char* state) {
        return out.filePath(
            QStringLiteral("replay-%1-%2-%3.png")
                .arg(QLatin1String(shots::kThemes[theme]), tier, QLatin1String(state)));
    };
    gcs::Application* app = stage.app();
    gcs::ReplayController* replay = app->replay();
    bool ok = stage.shoot(file("1-hub"), 400);

    // The message log, playing: the data pages.
    stage.answer(recordings.at(0));
    QMetaObject::invokeMethod(stage.window(), "openReplay");
    if (!waitFor([&] { return replay->active() && replay->indexed(); }, 5000)) {
        std::fprintf(stderr, "telvo-shots: the replay did not open (%s)\n",
                     qPrintable(app->lastError()));
        return false;
    }
    ok = stage.shoot(file("2-attitude-playing"), 2500) && ok;
    app->setCurrentNav(QStringLiteral("charts"));
    ok = stage.shoot(file("3-charts-playing"), 5000) && ok;
    app->setCurrentNav(QStringLiteral("stats"));
    ok = stage.shoot(file("4-stats"), 1200) && ok;
    app->setCurrentNav(QStringLiteral("message"));
    ok = stage.shoot(file("5-message"), 600) && ok;

    // Paused after a seek into the middle, on the charts (the window ending there).
    app->setCurrentNav(QStringLiteral("charts"));
    replay->pause();
    replay->seek(double(replay->duration()) * 0.6);
    ok = stage.shoot(file("6-charts-paused-after-seek"), 1500) && ok;
    // The track up to that place, then the noise analysis of the recording (a moving
    // unit: it warns).
    app->setCurrentNav(QStringLiteral("track"));
    replay->seek(double(replay->duration()) * 0.6);
    ok = stage.shoot(file("6a-track-paused"), 1500) && ok;
    app->setCurrentNav(QStringLiteral("noise"));
    ok = stage.shoot(file("6b-noise"), 3000) && ok;

    // The raw capture as fast as it goes.
    stage.answer(recordings.at(1));
    QMetaObject::invokeMethod(stage.window(), "openReplay");
    replay->setSpeed(0);
    replay->setLoop(true);
    ok = stage.shoot(file("7-raw-fastest"), 2500) && ok;
    replay->pause();
    app->closeReplay();
    ok = stage.shoot(file("8-hub-after-replay"), 400) && ok;
    return ok;
}

} // namespace

bool shootReplay(const QString& binDir, const QDir& out, const QString& simPort)
{
    QTemporaryDir recordingsDir;
    const QStringList recordings = recordSim(simPort, recordingsDir.path());
    if (recordings.size() != 2)
        return false;
    bool ok = true;
    for (int theme : { 0, 2 })
        ok = shootOne(binDir, out, simPort, recordings, QStringLiteral("medium"), theme) && ok;
    ok = shootOne(binDir, out, simPort, recordings, QStringLiteral("min"), 0) && ok;
    return ok;
}
