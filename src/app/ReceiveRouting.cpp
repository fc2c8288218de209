#include "app/ReceiveRouting.h"

namespace gcs {

ReceiveRouting::Route ReceiveRouting::route(const QString& sessionId, bool upgradeBusy,
                                            const QString& currentManagedId,
                                            bool currentSessionExists,
                                            const QString& currentSessionId)
{
    if (upgradeBusy)
        return currentSessionExists && currentSessionId == sessionId ? Route::Upgrade : Route::Drop;
    const bool accepted
        = currentManagedId.isEmpty() ? sessionId == primaryId() : sessionId == currentManagedId;
    return accepted ? Route::Telemetry : Route::Drop;
}

} // namespace gcs
