#include "ConfigShots.h"
#include "ShotSupport.h"

#include "app/Application.h"
#include "capture/CaptureExportTask.h"
#include "record/Recorder.h"
#include "catalog/ManagedDevices.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QQmlApplicationEngine>
#include <QQmlContext>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

using shots::kThemes;
using shots::prop;
using shots::settle;
using shots::waitFor;

void call(QObject* o, const char* method)
{
    if (o)
        QMetaObject::invokeMethod(o, method);
}

/// The window on a controller that manages the simulator, inside the workspace.
class ConfigStage
{
public:
    ConfigStage(const QString& binDir, const QString& simPort, const QString& tier)
    {
        qputenv("LOCALAPPDATA", QFile::encodeName(m_dir.path()));
        {
            gcs::Application seed;
            seed.managedDevices()->appendSerial(QStringLiteral("ins"), QString(), simPort, 115200,
                                                true, QStringLiteral("kt45"));
        }
        m_app = std::make_unique<gcs::Application>();
        m_app->loadProfiles(QDir(binDir).filePath(QStringLiteral("profiles")));
        // The factory page is offered, as a maker's installation does.
        const QString profiles = m_dir.filePath(QStringLiteral("profiles"));
        QDir().mkpath(profiles);
        QFile ui(QDir(profiles).filePath(QStringLiteral("ui.yaml")));
        if (ui.open(QIODevice::WriteOnly))
            ui.write("factory_config: true\n");
        ui.close();
        m_app->loadProfiles(profiles);
        m_app->setFileChooser([this](gcs::FileDialogs::Kind kind, const QString&, const QString&) {
            if (kind == gcs::FileDialogs::Kind::Directory)
                return m_dir.path();
            return m_answers.isEmpty() ? QString() : m_answers.takeFirst();
        });
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
        if (!m_app->connecting() && !m_app->currentManagedConnected())
            m_app->connectCurrentManaged();
        waitFor([this] { return m_app->currentManagedConnected(); }, 8000);
    }

    ~ConfigStage()
    {
        m_engine.reset();
        m_app.reset();
    }

    bool ok() const { return m_window && m_app->currentManagedConnected(); }
    gcs::Application* app() const { return m_app.get(); }
    QQuickWindow* window() const { return m_window; }
    QString scratch(const QString& name) const { return m_dir.filePath(name); }
    void answer(const QString& path) { m_answers << path; }

    void setTheme(int index)
    {
        if (QObject* box = prop(prop(m_window, "header"), "themeBox"))
            box->setProperty("currentIndex", index);
    }

    QObject* page() const { return prop(prop(prop(m_window, "body"), "pageHost"), "page"); }

    void clearToasts() { call(prop(m_window, "toasts"), "clear"); }

    bool shoot(const QString& path, int settleMs = 350)
    {
        settle(settleMs);
        return shots::grabTo(m_window, path);
    }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<gcs::Application> m_app;
    std::unique_ptr<QQmlApplicationEngine> m_engine;
    QQuickWindow* m_window = nullptr;
    QStringList m_answers;
};

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

bool shootTier(const QString& binDir, const QDir& out, int themeIndex, const QString& tier,
               const QString& simPort)
{
    ConfigStage stage(binDir, simPort, tier);
    if (!stage.ok()) {
        std::fprintf(stderr, "telvo-shots: no live workspace on %s (%s)\n", qPrintable(simPort),
                     stage.app() ? qPrintable(stage.app()->lastError()) : "");
        return false;
    }
    stage.setTheme(themeIndex);
    gcs::Application* app = stage.app();
    const QString theme = QString::fromLatin1(kThemes[themeIndex]);
    const auto file = [&](const char* name) {
        return out.filePath(QStringLiteral("%1-%2-c%3.png").arg(theme, tier, QLatin1String(name)));
    };
    bool ok = true;

    // User scope: what entering reads, then the whole read-back.
    app->setCurrentNav(QStringLiteral("user_config"));
    settle(900);
    app->readInsUserConfig();
    settle(700);
    stage.clearToasts();
    ok = stage.shoot(file("1-user-comm")) && ok;
    QObject* page = stage.page();
    // The end of the tab, where the small window has to scroll to.
    if (QObject* comm = prop(page, "userComm")) {
        const qreal end
            = comm->property("contentHeight").toReal() - comm->property("height").toReal();
        if (end > 0) {
            comm->setProperty("contentY", end);
            ok = stage.shoot(file("1b-user-comm-end")) && ok;
            comm->setProperty("contentY", 0);
        }
    }
    if (QObject* bar = prop(page, "userTabBar"))
        bar->setProperty("currentIndex", 1);
    ok = stage.shoot(file("2-user-maint")) && ok;
    if (QObject* bar = prop(page, "userTabBar"))
        bar->setProperty("currentIndex", 0);
    call(prop(prop(page, "userComm"), "saveConfirm"), "open");
    ok = stage.shoot(file("3-user-save-confirm")) && ok;
    call(prop(prop(page, "userComm"), "saveConfirm"), "cancel");

    // Factory scope with the gyro record read back.
    app->setCurrentNav(QStringLiteral("factory_config"));
    settle(400);
    app->sendCommand(QStringLiteral("get_factory"));
    app->sendCommand(QStringLiteral("get_gnm"));
    settle(600);
    stage.clearToasts();
    page = stage.page();
    ok = stage.shoot(file("4-factory-gyro")) && ok;
    QObject* gyro = prop(page, "factoryGyro");
    QVariant typed;
    QMetaObject::invokeMethod(gyro, "setField", Q_RETURN_ARG(QVariant, typed),
                              Q_ARG(QVariant, QStringLiteral("kggx")), Q_ARG(QVariant, QString()));
    if (typed.toBool()) {
        QMetaObject::invokeMethod(gyro, "writeFactory");
        ok = stage.shoot(file("5-factory-write-confirm")) && ok;
        call(prop(gyro, "writeConfirm"), "cancel");
    }
    const QString comp = stage.scratch(QStringLiteral("IMU07_comp.txt"));
    writeFile(comp,
              "#vorn,set imu,1,IMU-07*ff\n#vorn,set imu sn,1,A1B2C3D4*ff\n"
              "#vorn,set comp,gx,0.00012,-0.00034,0.00056*ff\n"
              "#vorn,set comp,gy,0.00011,0.00021,-0.00031*ff\n"
              "#vorn,set comp,gz,-0.00041,0.00051,0.00061*ff\n");
    if (QObject* bar = prop(page, "factoryTabBar"))
        bar->setProperty("currentIndex", 1);
    stage.answer(comp);
    QMetaObject::invokeMethod(prop(page, "factoryComp"), "openFile");
    stage.clearToasts();
    ok = stage.shoot(file("6-factory-comp")) && ok;
    if (QObject* bar = prop(page, "factoryTabBar"))
        bar->setProperty("currentIndex", 2);
    ok = stage.shoot(file("7-factory-install")) && ok;
    if (QObject* bar = prop(page, "factoryTabBar"))
        bar->setProperty("currentIndex", 3);
    ok = stage.shoot(file("8-factory-maint")) && ok;

    // Raw console with traffic, as text and as hex.
    app->setCurrentNav(QStringLiteral("raw"));
    app->sendRaw(QStringLiteral("#vorn,start com1*ff"), false);
    settle(1200);
    stage.clearToasts();
    ok = stage.shoot(file("9-raw-text"), 100) && ok;
    app->setLogHexMode(true);
    settle(600);
    ok = stage.shoot(file("10-raw-hex"), 100) && ok;
    app->setLogHexMode(false);

    // Record page, idle and recording.
    app->setCurrentNav(QStringLiteral("record"));
    settle(600);
    stage.clearToasts();
    ok = stage.shoot(file("11-record-idle")) && ok;
    QMetaObject::invokeMethod(stage.page(), "startInPickedDirectory");
    settle(2200);
    stage.clearToasts();
    ok = stage.shoot(file("12-record-running"), 100) && ok;
    app->stopRecord();
    stage.clearToasts();
    ok = stage.shoot(file("13-record-stopped")) && ok;

    // Export of a large recording: the progress bar and its cancel, caught mid-way. The
    // raw bytes just recorded, repeated, make a capture of some 64 MB.
    const QString big = stage.scratch(QStringLiteral("large_capture.bin"));
    QFile recorded(app->recorder()->rawPath());
    const QByteArray unit = recorded.open(QIODevice::ReadOnly) ? recorded.readAll() : QByteArray();
    if (!unit.isEmpty()) {
        QFile f(big);
        if (f.open(QIODevice::WriteOnly)) {
            for (qint64 n = 0; n < (qint64(64) << 20); n += unit.size())
                f.write(unit);
        }
    }
    stage.answer(stage.scratch(QStringLiteral("large_capture.csv")));
    QObject* recordPage = stage.page();
    recordPage->setProperty("pickedSource", big);
    QMetaObject::invokeMethod(recordPage, "exportAs", Q_ARG(QVariant, QStringLiteral("csv")));
    const gcs::CaptureExportTask* exporter = app->captureExport();
    waitFor([exporter] { return exporter->progress() >= 0.2; }, 20000);
    ok = stage.shoot(file("14-record-exporting"), 0) && ok;
    app->cancelExport();
    waitFor([exporter] { return !exporter->busy(); }, 20000);
    QFile::remove(big);
    return ok;
}

} // namespace

bool shootConfigPages(const QString& binDir, const QDir& out, const QString& simPort)
{
    bool ok = true;
    for (int i = 0; i < 4; ++i) {
        for (const char* tier : { "medium", "min" })
            ok = shootTier(binDir, out, i, QString::fromLatin1(tier), simPort) && ok;
    }
    return ok;
}
