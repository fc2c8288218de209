// Forwarding records to other programs: every record the decoder gives, from a live link or
// a replay alike, goes to the forwarder, whose outputs are remembered in the settings. Its
// failures are the user's errors; they never reach the link.

#include "app/Application.h"

#include "catalog/AppSettings.h"
#include "catalog/SettingsKeys.h"
#include "forward/Forwarder.h"
#include "ins/InsBridge.h"
#include "ins/RecDataModel.h"

#include <QSettings>

namespace gcs {

void Application::wireForwarding()
{
    namespace keys = settingskeys;
    m_forward = new Forwarder(this);
    RecDataModel* model = m_ins->model();
    connect(model, &RecDataModel::newValue, m_forward, [this, model](const RecDataStruct& record) {
        m_forward->take(record, model->hostRxMs());
    });
    connect(m_forward, &Forwarder::errorOccurred, this, &Application::setError);

    const QSettings* store = m_settings->store();
    m_forward->setUdp(
        store->value(keys::kForwardUdpEnabled, false).toBool(),
        store->value(keys::kForwardUdpHost, QString::fromLatin1(Forwarder::kDefaultUdpHost))
            .toString(),
        store->value(keys::kForwardUdpPort, Forwarder::kDefaultUdpPort).toInt());
    m_forward->setNmea(
        store->value(keys::kForwardNmeaEnabled, false).toBool(),
        store->value(keys::kForwardNmeaHost, QString::fromLatin1(Forwarder::kDefaultNmeaHost))
            .toString(),
        store->value(keys::kForwardNmeaPort, Forwarder::kDefaultNmeaPort).toInt(),
        store->value(keys::kForwardNmeaRate, Forwarder::kDefaultNmeaRate).toDouble());

    connect(m_forward, &Forwarder::configChanged, this, [this]() {
        QSettings* s = m_settings->store();
        s->setValue(keys::kForwardUdpEnabled, m_forward->udpEnabled());
        s->setValue(keys::kForwardUdpHost, m_forward->udpHost());
        s->setValue(keys::kForwardUdpPort, m_forward->udpPort());
        s->setValue(keys::kForwardNmeaEnabled, m_forward->nmeaEnabled());
        s->setValue(keys::kForwardNmeaHost, m_forward->nmeaHost());
        s->setValue(keys::kForwardNmeaPort, m_forward->nmeaPort());
        s->setValue(keys::kForwardNmeaRate, m_forward->nmeaRate());
    });
}

} // namespace gcs
