#include "ins/InsBridge.h"

#include "ins/RecDataModel.h"

namespace gcs {

InsBridge::InsBridge(QObject* parent)
    : QObject(parent)
    , m_model(new RecDataModel(this))
{ }

InsBridge::~InsBridge() = default;

void InsBridge::feed(const QByteArray&) { }

void InsBridge::appendFactoryRaw(const QByteArray&) { }

void InsBridge::resetStats() { }

void InsBridge::resetParseBuffer() { }

void InsBridge::tickRecTime(int) { }

void InsBridge::addSendBytes(int) { }

void InsBridge::clearFactoryRaw() { }

} // namespace gcs
