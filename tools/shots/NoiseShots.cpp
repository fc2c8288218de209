#include "NoiseShots.h"
#include "ShotStage.h"
#include "ShotSupport.h"

#include "analysis/NoiseAnalysisTask.h"
#include "app/Application.h"
#include "replay/ReplayController.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

using shots::kThemes;
using shots::waitFor;

bool simulate(const QString& binDir, const QString& path, const QStringList& args)
{
    QProcess sim;
    sim.start(QDir(binDir).filePath(QStringLiteral("telvo-sim")),
              args + QStringList { QStringLiteral("--to-file"), path });
    if (!sim.waitForFinished(120000) || sim.exitCode() != 0) {
        std::fprintf(stderr, "telvo-shots: telvo-sim did not write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

/// Replays path, paused, on the noise page; a capture without time tags at rateHz.
bool replayOnNoisePage(shots::Stage& stage, const QString& path, double rateHz)
{
    gcs::Application* app = stage.app();
    stage.answer(path);
    if (!app->openReplayFile()) {
        std::fprintf(stderr, "telvo-shots: no replay of %s (%s)\n", qPrintable(path),
                     qPrintable(app->lastError()));
        return false;
    }
    app->replay()->pause();
    app->replay()->setRecordRate(rateHz);
    app->setCurrentNav(QStringLiteral("noise"));
    return app->currentNav() == QLatin1String("noise");
}

} // namespace

bool shootNoisePage(const QString& binDir, const QDir& out)
{
    QTemporaryDir dir;
    const QString still = dir.filePath(QStringLiteral("static_1h.bin"));
    const QString moving = dir.filePath(QStringLiteral("drive_10min.bin"));
    const QString large = dir.filePath(QStringLiteral("static_1h_1000hz.bin"));
    const QString junk = dir.filePath(QStringLiteral("notes.bin"));
    const QStringList base = { QStringLiteral("--format"), QStringLiteral("sinsbin"),
                               QStringLiteral("--rate"), QStringLiteral("200") };
    if (!simulate(binDir, still, base + QStringList { "--motion", "static", "--seconds", "3600" })
        || !simulate(binDir, moving, base + QStringList { "--seconds", "600" })
        || !simulate(
            binDir, large,
            { "--format", "imubin", "--rate", "1000", "--motion", "static", "--seconds", "3600" }))
        return false;
    QFile notes(junk);
    if (notes.open(QIODevice::WriteOnly))
        notes.write(QByteArray(4096, 'x'));
    notes.close();

    bool ok = true;
    for (const QString& tier : { QStringLiteral("medium"), QStringLiteral("min") }) {
        for (int i = 0; i < 4; ++i) {
            // The smallest tier in one dark and the light theme, where clipping shows first.
            if (tier == QLatin1String("min") && i != 0 && i != 2)
                continue;
            shots::Stage stage(binDir, {}, tier);
            if (!stage.hasWindow())
                return false;
            stage.setTheme(i);
            const gcs::NoiseAnalysisTask* noise = stage.app()->noise();
            const auto idle
                = [noise] { return waitFor([noise] { return !noise->busy(); }, 60000); };
            const QString theme = QString::fromLatin1(kThemes[i]);
            const auto file = [&](const char* name) {
                return out.filePath(
                    QStringLiteral("%1-%2-n%3.png").arg(theme, tier, QLatin1String(name)));
            };
            // The hour at 1000 Hz has no time tags: the replay's record rate serves.
            if (!replayOnNoisePage(stage, large, 1000))
                return false;
            waitFor([noise] { return noise->progress() > 0.25; }, 20000);
            ok = stage.shootQuiet(file("2-analysing"), 0) && ok;
            stage.app()->noise()->cancel();
            idle();
            ok = replayOnNoisePage(stage, still, 200) && idle()
                && stage.shootQuiet(file("3-at-rest")) && ok;
            ok = replayOnNoisePage(stage, moving, 200) && idle()
                && stage.shootQuiet(file("4-moving")) && ok;
            // A file picked on the page that holds no records, at a typed rate.
            if (QObject* field
                = stage.page()->findChild<QObject*>(QStringLiteral("noiseRateField")))
                field->setProperty("text", QStringLiteral("200"));
            stage.answer(junk);
            QMetaObject::invokeMethod(stage.page(), "pickFile");
            ok = idle() && stage.shootQuiet(file("5-not-a-recording")) && ok;
            stage.app()->closeReplay();
        }
    }
    return ok;
}
