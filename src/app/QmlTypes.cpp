#include "app/QmlTypes.h"

#include "ins/InsBridge.h"
#include "ins/TelemetryHub.h"
#include "link/SessionManager.h"

#include <QQmlEngine>

namespace gcs {

void registerQmlTypes()
{
    constexpr const char* kUri = "Gcs";
    qmlRegisterUncreatableType<SessionManager>(kUri, 1, 0, "SessionManager",
                                               QStringLiteral("app.sessions"));
    qmlRegisterUncreatableType<InsBridge>(kUri, 1, 0, "InsBridge", QStringLiteral("app.ins"));
    qmlRegisterUncreatableType<TelemetryHub>(kUri, 1, 0, "TelemetryHub", QStringLiteral("app.hub"));
    qRegisterMetaType<gcs::TelemetrySnapshot>("gcs::TelemetrySnapshot");
}

} // namespace gcs
