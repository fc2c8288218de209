#include "ReplayShots.h"
#include "ShotStage.h"
#include "ShotSupport.h"

#include "app/Application.h"
#include "ins/InsBridge.h"
#include "record/Recorder.h"
#include "replay/ReplayController.h"

#include <QQuickWindow>
#include <QTemporaryDir>

#include <cstdio>

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

bool shootOne(const QString& binDir, const QDir& out, const QString& simPort,
              const QStringList& recordings, const QString& tier, int theme)
{
    // One managed device, so the hub shows.
    shots::Stage stage(binDir, { simPort }, tier);
    if (!stage.hasWindow())
        return false;
    stage.setTheme(theme);
    const auto file = [&](const char* state) {
        return out.filePath(
            QStringLiteral("replay-%1-%2-%3.png")
                .arg(QLatin1String(shots::kThemes[theme]), tier, QLatin1String(state)));
    };
    gcs::Application* app = stage.app();
    gcs::ReplayController* replay = app->replay();
    bool ok = stage.shootQuiet(file("1-hub"), 400);

    // The message log, playing: the data pages.
    stage.answer(recordings.at(0));
    QMetaObject::invokeMethod(stage.window(), "openReplay");
    if (!waitFor([&] { return replay->active() && replay->indexed(); }, 5000)) {
        std::fprintf(stderr, "telvo-shots: the replay did not open (%s)\n",
                     qPrintable(app->lastError()));
        return false;
    }
    ok = stage.shootQuiet(file("2-attitude-playing"), 2500) && ok;
    app->setCurrentNav(QStringLiteral("charts"));
    ok = stage.shootQuiet(file("3-charts-playing"), 5000) && ok;
    app->setCurrentNav(QStringLiteral("stats"));
    ok = stage.shootQuiet(file("4-stats"), 1200) && ok;
    app->setCurrentNav(QStringLiteral("message"));
    ok = stage.shootQuiet(file("5-message"), 600) && ok;

    // Paused after a seek into the middle, on the charts (the window ending there).
    app->setCurrentNav(QStringLiteral("charts"));
    replay->pause();
    replay->seek(double(replay->duration()) * 0.6);
    ok = stage.shootQuiet(file("6-charts-paused-after-seek"), 1500) && ok;
    // The track up to that place, then the noise analysis of the recording (a moving
    // unit: it warns).
    app->setCurrentNav(QStringLiteral("track"));
    replay->seek(double(replay->duration()) * 0.6);
    ok = stage.shootQuiet(file("6a-track-paused"), 1500) && ok;
    app->setCurrentNav(QStringLiteral("noise"));
    ok = stage.shootQuiet(file("6b-noise"), 3000) && ok;

    // The raw capture as fast as it goes.
    stage.answer(recordings.at(1));
    QMetaObject::invokeMethod(stage.window(), "openReplay");
    replay->setSpeed(0);
    replay->setLoop(true);
    ok = stage.shootQuiet(file("7-raw-fastest"), 2500) && ok;
    replay->pause();
    app->closeReplay();
    ok = stage.shootQuiet(file("8-hub-after-replay"), 400) && ok;
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
