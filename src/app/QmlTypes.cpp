#include "app/QmlTypes.h"

#include "analysis/NoiseAnalysisTask.h"
#include "catalog/AppSettings.h"
#include "catalog/ManagedDevices.h"
#include "catalog/ProductRegistry.h"
#include "catalog/UiConfig.h"
#include "console/CommandCatalog.h"
#include "forward/Forwarder.h"
#include "ins/InsBridge.h"
#include "ins/TelemetryHub.h"
#include "ins/TelemetrySnapshot.h"
#include "link/SessionManager.h"
#include "record/Recorder.h"
#include "replay/ReplayController.h"
#include "ui/ChartClock.h"
#include "ui/CompassDial.h"
#include "ui/HeadingChart.h"
#include "ui/LogLogChart.h"
#include "ui/SceneViewport.h"
#include "ui/StripChart.h"
#include "ui/ThermometerGauge.h"
#include "ui/TrackView.h"
#include "upgrade/YModem.h"

#include <QQmlEngine>

namespace gcs {

void registerQmlTypes()
{
    // The painted instruments and charts are the types QML creates itself. The services
    // exist once, as properties of the controller; QML only needs to know their types,
    // and the reason text names where the single instance is reached.
    constexpr const char* kUri = "Gcs";
    qmlRegisterType<SceneViewport>(kUri, 1, 0, "SceneViewport");
    qmlRegisterType<StripChart>(kUri, 1, 0, "StripChart");
    qmlRegisterType<HeadingChart>(kUri, 1, 0, "HeadingChart");
    qmlRegisterType<ThermometerGauge>(kUri, 1, 0, "ThermometerGauge");
    qmlRegisterType<CompassDial>(kUri, 1, 0, "CompassDial");
    qmlRegisterType<LogLogChart>(kUri, 1, 0, "LogLogChart");
    qmlRegisterType<TrackView>(kUri, 1, 0, "TrackView");
    qmlRegisterUncreatableType<ProductRegistry>(kUri, 1, 0, "ProductRegistry",
                                                QStringLiteral("app.products"));
    qmlRegisterUncreatableType<SessionManager>(kUri, 1, 0, "SessionManager",
                                               QStringLiteral("app.sessions"));
    qmlRegisterUncreatableType<TelemetryHub>(kUri, 1, 0, "TelemetryHub", QStringLiteral("app.hub"));
    qmlRegisterUncreatableType<AppSettings>(kUri, 1, 0, "AppSettings",
                                            QStringLiteral("app.settings"));
    qmlRegisterUncreatableType<ManagedDevices>(kUri, 1, 0, "ManagedDevices",
                                               QStringLiteral("app.managedDevices"));
    qmlRegisterUncreatableType<Recorder>(kUri, 1, 0, "Recorder", QStringLiteral("app.recorder"));
    qmlRegisterUncreatableType<YModem>(kUri, 1, 0, "YModem", QStringLiteral("app.ymodem"));
    qmlRegisterUncreatableType<CommandCatalog>(kUri, 1, 0, "CommandCatalog",
                                               QStringLiteral("app.catalog"));
    qmlRegisterUncreatableType<UiConfig>(kUri, 1, 0, "UiConfig", QStringLiteral("app.uiConfig"));
    qmlRegisterUncreatableType<InsBridge>(kUri, 1, 0, "InsBridge", QStringLiteral("app.ins"));
    qmlRegisterUncreatableType<NoiseAnalysisTask>(kUri, 1, 0, "NoiseAnalysisTask",
                                                  QStringLiteral("app.noise"));
    qmlRegisterUncreatableType<ReplayController>(kUri, 1, 0, "ReplayController",
                                                 QStringLiteral("app.replay"));
    qmlRegisterUncreatableType<Forwarder>(kUri, 1, 0, "Forwarder", QStringLiteral("app.forward"));
    qmlRegisterUncreatableType<ChartClock>(kUri, 1, 0, "ChartClock",
                                           QStringLiteral("app.chartClock"));

    qRegisterMetaType<gcs::TelemetrySnapshot>("gcs::TelemetrySnapshot");
}

} // namespace gcs
