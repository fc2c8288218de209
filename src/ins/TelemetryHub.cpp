#include "ins/TelemetryHub.h"

namespace gcs {

TelemetryHub::TelemetryHub(QObject* parent)
    : QObject(parent)
{ }

TelemetryHub::~TelemetryHub() = default;

void TelemetryHub::publish(const TelemetrySnapshot&) { }

void TelemetryHub::markOffline() { }

void TelemetryHub::ingestRaw(const QByteArray&) { }

} // namespace gcs
