#include "NoiseShots.h"
#include "ShotSupport.h"

#include "analysis/NoiseAnalysisTask.h"
#include "app/Application.h"
#include "catalog/ManagedDevices.h"

#include <QFile>
#include <QProcess>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>

namespace {

using shots::kThemes;
using shots::prop;
using shots::settle;
using shots::waitFor;

/// The window in the workspace of an offline device, on the noise page.
class NoiseStage
{
public:
    NoiseStage(const QString& binDir, const QString& tier)
    {
        qputenv("LOCALAPPDATA", QFile::encodeName(m_dir.path()));
        {
            gcs::Application seed;
            seed.managedDevices()->appendSerial(QStringLiteral("ins"), QString(),
                                                QStringLiteral("/dev/ttyUSB0"), 115200, true,
                                                QStringLiteral("kt45"));
        }
        m_app = std::make_unique<gcs::Application>();
        m_app->loadProfiles(QDir(binDir).filePath(QStringLiteral("profiles")));
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
        const QString id = m_app->managedDevices()->currentId();
        QMetaObject::invokeMethod(m_window, "enterDeviceWorkspace", Q_ARG(QVariant, id));
        // Entering tries to connect; there is no unit behind this port.
        waitFor([this] { return !m_app->connecting(); }, 8000);
        m_app->setCurrentNav(QStringLiteral("noise"));
        settle(300);
    }

    ~NoiseStage()
    {
        m_engine.reset();
        m_app.reset();
    }

    bool ok() const { return m_window && page(); }
    gcs::Application* app() const { return m_app.get(); }
    QObject* page() const { return prop(prop(prop(m_window, "body"), "pageHost"), "page"); }

    void setTheme(int index)
    {
        if (QObject* box = prop(prop(m_window, "header"), "themeBox"))
            box->setProperty("currentIndex", index);
    }

    /// Opens path on the page at rateHz, as the replay workspace hands it a recording.
    void open(const QString& path, int rateHz)
    {
        if (auto* field = page()->findChild<QObject*>(QStringLiteral("noiseRateField")))
            field->setProperty("text", QString::number(rateHz));
        page()->setProperty("filePath", path);
    }

    bool waitIdle()
    {
        return waitFor([this] { return !m_app->noise()->busy(); }, 60000);
    }

    bool shoot(const QString& path, int settleMs = 350)
    {
        settle(settleMs);
        QMetaObject::invokeMethod(prop(m_window, "toasts"), "clear");
        return shots::grabTo(m_window, path);
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<gcs::Application> m_app;
    std::unique_ptr<QQmlApplicationEngine> m_engine;
    QQuickWindow* m_window = nullptr;
};

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
            NoiseStage stage(binDir, tier);
            if (!stage.ok()) {
                std::fprintf(stderr, "telvo-shots: no noise page\n");
                return false;
            }
            stage.setTheme(i);
            const QString theme = QString::fromLatin1(kThemes[i]);
            const auto file = [&](const char* name) {
                return out.filePath(
                    QStringLiteral("%1-%2-n%3.png").arg(theme, tier, QLatin1String(name)));
            };
            ok = stage.shoot(file("1-empty")) && ok;
            stage.open(large, 1000);
            waitFor([&] { return stage.app()->noise()->progress() > 0.25; }, 20000);
            ok = stage.shoot(file("2-analysing"), 0) && ok;
            stage.app()->noise()->cancel();
            stage.waitIdle();
            stage.open(still, 200);
            ok = stage.waitIdle() && stage.shoot(file("3-at-rest")) && ok;
            stage.open(moving, 200);
            ok = stage.waitIdle() && stage.shoot(file("4-moving")) && ok;
            stage.open(junk, 200);
            ok = stage.waitIdle() && stage.shoot(file("5-not-a-recording")) && ok;
        }
    }
    return ok;
}
