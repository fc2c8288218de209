#include "ConfigShots.h"
#include "ShotStage.h"
#include "ShotSupport.h"

#include "app/Application.h"
#include "capture/CaptureExportTask.h"
#include "record/Recorder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QQuickItem>
#include <QQuickWindow>
#include <QThread>

#include <QDir>
#include <QFile>

#include <cstdio>
#include <functional>

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

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

bool shootTier(const QString& binDir, const QDir& out, int themeIndex, const QString& tier,
               const QString& simPort)
{
    // The factory page is offered, as a maker's installation does.
    shots::Stage stage(binDir, { simPort }, tier, "factory_config: true\n");
    if (stage.hasWindow()) {
        stage.enterCurrentDevice();
        if (!stage.app()->connecting() && !stage.app()->currentManagedConnected())
            stage.app()->connectCurrentManaged();
        waitFor([&] { return stage.app()->currentManagedConnected(); }, 8000);
    }
    if (!stage.hasWindow() || !stage.app()->currentManagedConnected()) {
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
