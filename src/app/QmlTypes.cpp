#include "app/QmlTypes.h"

#include "link/SessionManager.h"

#include <QQmlEngine>

namespace gcs {

void registerQmlTypes()
{
    constexpr const char* kUri = "Gcs";
    qmlRegisterUncreatableType<SessionManager>(kUri, 1, 0, "SessionManager",
                                               QStringLiteral("app.sessions"));
}

} // namespace gcs
