#include "record/Recorder.h"

namespace gcs {

Recorder::Recorder(QObject* parent)
    : QObject(parent)
{ }

Recorder::~Recorder() = default;

bool Recorder::start(const QString&, const QString&, bool)
{
    return false;
}

bool Recorder::startInDirectory(const QString&, const QString&, bool)
{
    return false;
}

void Recorder::stop() { }

void Recorder::onRaw(const QByteArray&) { }

void Recorder::onSnapshot(const TelemetrySnapshot&) { }

void Recorder::storeInsWireFrame(const QByteArray&, qint64) { }

} // namespace gcs
