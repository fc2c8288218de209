#include "catalog/ManagedDevices.h"

#include "catalog/CatalogLog.h"
#include "catalog/SettingsKeys.h"
#include "link/LocalIp.h"
#include "link/SerialPortName.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QSettings>
#include <QUuid>

namespace gcs {

namespace keys = settingskeys;

namespace {

const char* const kInsProductId = "ins";
const char* const kDefaultModelId = "kt45";
constexpr int kDefaultBaud = 115200;
constexpr int kDefaultNetPort = 8000;

QString freshId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

QString modelOrDefault(const QString& modelId)
{
    const QString trimmed = modelId.trimmed();
    return trimmed.isEmpty() ? QString::fromLatin1(kDefaultModelId) : trimmed;
}

int baudOrDefault(int baud)
{
    return baud > 0 ? baud : kDefaultBaud;
}

bool isNet(const ManagedDevices::Entry& e, const char* transport)
{
    return e.kind == ManagedDevices::EntryKind::Net && e.netTransport == QLatin1String(transport);
}

QJsonObject toJson(const ManagedDevices::Entry& e)
{
    QJsonObject o;
    o.insert(QStringLiteral("id"), e.id);
    o.insert(QStringLiteral("productId"), e.productId);
    o.insert(QStringLiteral("deviceModelId"), modelOrDefault(e.deviceModelId));
    o.insert(QStringLiteral("alias"), e.alias);
    o.insert(QStringLiteral("kind"),
             e.kind == ManagedDevices::EntryKind::Net ? QStringLiteral("net")
                                                      : QStringLiteral("serial"));
    o.insert(QStringLiteral("port"), e.port);
    o.insert(QStringLiteral("baud"), e.baud);
    o.insert(QStringLiteral("netTransport"), e.netTransport);
    o.insert(QStringLiteral("localIp"), e.localIp);
    o.insert(QStringLiteral("localPort"), e.localPort);
    o.insert(QStringLiteral("remoteIp"), e.remoteIp);
    o.insert(QStringLiteral("remotePort"), e.remotePort);
    o.insert(QStringLiteral("listenPort"), e.listenPort);
    return o;
}

ManagedDevices::Entry fromJson(const QJsonObject& o)
{
    ManagedDevices::Entry e;
    e.id = o.value(QStringLiteral("id")).toString();
    e.productId = o.value(QStringLiteral("productId")).toString();
    e.alias = o.value(QStringLiteral("alias")).toString();
    e.kind = o.value(QStringLiteral("kind")).toString() == QLatin1String("net")
        ? ManagedDevices::EntryKind::Net
        : ManagedDevices::EntryKind::Serial;
    e.port = o.value(QStringLiteral("port")).toString();
    e.baud = o.value(QStringLiteral("baud")).toInt(kDefaultBaud);
    e.netTransport = o.value(QStringLiteral("netTransport")).toString();
    e.localIp = o.value(QStringLiteral("localIp")).toString();
    e.localPort = o.value(QStringLiteral("localPort")).toInt(0);
    e.remoteIp = o.value(QStringLiteral("remoteIp")).toString();
    e.remotePort = o.value(QStringLiteral("remotePort")).toInt(0);
    e.listenPort = o.value(QStringLiteral("listenPort")).toInt(0);
    e.deviceModelId = modelOrDefault(o.value(QStringLiteral("deviceModelId")).toString());
    return e;
}

} // namespace

ManagedDevices::ManagedDevices(QObject* parent)
    : QObject(parent)
{ }

ManagedDevices::~ManagedDevices() = default;

int ManagedDevices::effectivePort(int port)
{
    return port < 1 ? kDefaultNetPort : port;
}

QStringList ManagedDevices::ids() const
{
    QStringList list;
    list.reserve(m_entries.size());
    for (const Entry& e : m_entries)
        list.append(e.id);
    return list;
}

int ManagedDevices::indexOfId(const QString& id) const
{
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).id == id)
            return i;
    }
    return -1;
}

ManagedDevices::Entry ManagedDevices::entry(const QString& id) const
{
    const int i = indexOfId(id);
    return i < 0 ? Entry() : m_entries.at(i);
}

void ManagedDevices::commit()
{
    ++m_listRevision;
    emit listChanged();
    if (m_store)
        persist(m_store);
}

void ManagedDevices::setCurrentId(const QString& id)
{
    if (id.isEmpty()) {
        if (m_currentId.isEmpty())
            return;
        m_currentId.clear();
    } else {
        if (indexOfId(id) < 0 || id == m_currentId)
            return;
        m_currentId = id;
    }
    emit currentIdChanged();
    if (m_store)
        persist(m_store);
}

// ---- loading and storing -------------------------------------------------------------

void ManagedDevices::load(QSettings* store)
{
    m_store = store;
    m_entries.clear();
    m_currentId.clear();
    m_unreadableCopy = KeptCopy();
    m_storedListUnread = false;
    if (!store) {
        ++m_listRevision;
        emit listChanged();
        emit currentIdChanged();
        return;
    }

    const bool listKeyExists = store->contains(keys::kManagedDevices);
    const QByteArray json = store->value(keys::kManagedDevices).toByteArray();
    if (!json.isEmpty()) {
        QJsonParseError error;
        const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
        if (!doc.isArray()) {
            // One damaged character would otherwise cost every device: the text stays in
            // the file until a device is added, and a copy of the file goes beside it.
            m_storedListUnread = true;
            m_unreadableCopy = KeptCopy::of(store->fileName(), QStringLiteral(".devices.bad"));
            qCWarning(lcCatalog).noquote()
                << "managed-device list is not a JSON array:" << error.errorString() << "(kept as"
                << m_unreadableCopy.path << ")";
        }
        const QJsonArray array = doc.array();
        for (const QJsonValue& value : array) {
            if (!value.isObject())
                continue;
            Entry e = fromJson(value.toObject());
            // Network links are not offered for the INS product, so they are not restored.
            if (e.id.isEmpty() || e.productId.isEmpty() || e.kind == EntryKind::Net)
                continue;
            // Lookups and removal go by id; a repeated id in an edited file would make
            // two cards that act as one.
            if (indexOfId(e.id) >= 0)
                continue;
            if (e.productId != QLatin1String(kInsProductId))
                e.productId = QString::fromLatin1(kInsProductId);
            m_entries.append(e);
        }
    }

    const QString storedCurrent = store->value(keys::kCurrentManagedDeviceId).toString();
    if (!storedCurrent.isEmpty()) {
        m_currentId = indexOfId(storedCurrent) >= 0
            ? storedCurrent
            : (m_entries.isEmpty() ? QString() : m_entries.constFirst().id);
    }

    // Settings written before the list existed knew one device through the plain keys.
    if (m_entries.isEmpty() && !listKeyExists) {
        const QString port = store->value(keys::kPort).toString();
        const int baud = store->value(keys::kBaud, kDefaultBaud).toInt();
        const QString alias = store->value(keys::kDeviceAlias).toString();
        if (!port.isEmpty() || !alias.trimmed().isEmpty()) {
            Entry e;
            e.id = freshId();
            e.productId = QString::fromLatin1(kInsProductId);
            e.deviceModelId = QString::fromLatin1(kDefaultModelId);
            e.alias = alias;
            if (!port.isEmpty()) {
                e.kind = EntryKind::Serial;
                e.port = port;
                e.baud = baud;
            } else {
                e.kind = EntryKind::Net;
            }
            m_entries.append(e);
            if (m_currentId.isEmpty())
                m_currentId = e.id;
            persist(store);
        }
    }

    ++m_listRevision;
    emit listChanged();
    emit currentIdChanged();
}

void ManagedDevices::save(QSettings* store)
{
    persist(store);
}

void ManagedDevices::persist(QSettings* store)
{
    if (!store || (m_storedListUnread && m_entries.isEmpty()))
        return;
    m_storedListUnread = false;
    QJsonArray array;
    for (const Entry& e : m_entries)
        array.append(toJson(e));
    store->setValue(keys::kManagedDevices, QJsonDocument(array).toJson(QJsonDocument::Compact));
    store->setValue(keys::kCurrentManagedDeviceId, m_currentId);

    if (m_entries.isEmpty()) {
        store->remove(keys::kPort);
        store->remove(keys::kBaud);
        store->setValue(keys::kDeviceAlias, QString());
    } else if (const int i = indexOfId(m_currentId); i >= 0) {
        const Entry& current = m_entries.at(i);
        store->setValue(keys::kProduct, current.productId);
        store->setValue(keys::kDeviceAlias, current.alias);
        if (current.kind == EntryKind::Serial) {
            store->setValue(keys::kPort, current.port);
            store->setValue(keys::kBaud, current.baud);
        }
    }
    store->sync();
}

// ---- serial entries ------------------------------------------------------------------

ManagedDevices::Entry ManagedDevices::newSerialEntry(const QString& portKey) const
{
    Entry e;
    e.id = freshId();
    e.kind = EntryKind::Serial;
    e.port = portKey;
    return e;
}

int ManagedDevices::indexOfSerialPort(const QString& port) const
{
    return indexOfSerialPortExcept(port, QString());
}

int ManagedDevices::indexOfSerialPortExcept(const QString& port, const QString& exceptId) const
{
    const QString key = portKeyFromText(port);
    if (key.isEmpty())
        return -1;
    for (int i = 0; i < m_entries.size(); ++i) {
        const Entry& e = m_entries.at(i);
        if (e.kind == EntryKind::Serial && e.port == key
            && (exceptId.isEmpty() || e.id != exceptId))
            return i;
    }
    return -1;
}

QString ManagedDevices::appendSerial(const QString& productId, const QString& alias,
                                     const QString& port, int baud, bool makeCurrent,
                                     const QString& deviceModelId)
{
    const QString key = portKeyFromText(port);
    if (key.isEmpty() || indexOfSerialPort(key) >= 0)
        return QString();
    Entry e = newSerialEntry(key);
    e.productId = productId;
    e.deviceModelId = modelOrDefault(deviceModelId);
    e.alias = alias.trimmed();
    e.baud = baudOrDefault(baud);
    m_entries.append(e);
    if (makeCurrent)
        setCurrentId(e.id);
    commit();
    return e.id;
}

QString ManagedDevices::upsertSerial(const QString& productId, const QString& alias,
                                     const QString& port, int baud, bool makeCurrent,
                                     const QString& deviceModelId)
{
    const QString key = portKeyFromText(port);
    if (key.isEmpty())
        return QString();
    const int existing = indexOfSerialPort(key);
    Entry e = existing < 0 ? newSerialEntry(key) : m_entries.at(existing);
    e.productId = productId;
    const QString model = deviceModelId.trimmed();
    if (!model.isEmpty())
        e.deviceModelId = model;
    e.deviceModelId = modelOrDefault(e.deviceModelId);
    const QString trimmedAlias = alias.trimmed();
    if (!trimmedAlias.isEmpty())
        e.alias = trimmedAlias;
    e.baud = baudOrDefault(baud);
    if (existing < 0)
        m_entries.append(e);
    else
        m_entries[existing] = e;
    if (makeCurrent)
        setCurrentId(e.id);
    commit();
    return e.id;
}

bool ManagedDevices::updateSerial(const QString& id, const QString& alias, const QString& port,
                                  int baud, const QString& deviceModelId)
{
    const int i = indexOfId(id);
    const QString key = portKeyFromText(port);
    if (i < 0 || m_entries.at(i).kind != EntryKind::Serial || key.isEmpty()
        || indexOfSerialPortExcept(key, id) >= 0)
        return false;
    Entry& e = m_entries[i];
    const QString trimmedAlias = alias.trimmed();
    if (!trimmedAlias.isEmpty())
        e.alias = trimmedAlias;
    e.port = key;
    e.baud = baudOrDefault(baud);
    const QString model = deviceModelId.trimmed();
    if (!model.isEmpty())
        e.deviceModelId = model;
    e.deviceModelId = modelOrDefault(e.deviceModelId);
    commit();
    return true;
}

// ---- network entries -----------------------------------------------------------------

int ManagedDevices::indexOfNetUdp(const QString& localIp, int localPort, const QString& remoteIp,
                                  int remotePort) const
{
    return indexOfNetUdpExcept(localIp, localPort, remoteIp, remotePort, QString());
}

int ManagedDevices::indexOfNetUdpExcept(const QString& localIp, int localPort,
                                        const QString& remoteIp, int remotePort,
                                        const QString& exceptId) const
{
    const QString remote = remoteIp.trimmed();
    if (remote.isEmpty())
        return -1;
    const QString local = normalizedLocalIp(localIp);
    const int lport = effectivePort(localPort);
    const int rport = effectivePort(remotePort);
    for (int i = 0; i < m_entries.size(); ++i) {
        const Entry& e = m_entries.at(i);
        if (!isNet(e, "udp") || (!exceptId.isEmpty() && e.id == exceptId))
            continue;
        if (normalizedLocalIp(e.localIp) == local && effectivePort(e.localPort) == lport
            && e.remoteIp.trimmed() == remote && effectivePort(e.remotePort) == rport)
            return i;
    }
    return -1;
}

int ManagedDevices::indexOfNetTcp(int listenPort) const
{
    return indexOfNetTcpExcept(listenPort, QString());
}

int ManagedDevices::indexOfNetTcpExcept(int listenPort, const QString& exceptId) const
{
    const int port = effectivePort(listenPort);
    for (int i = 0; i < m_entries.size(); ++i) {
        const Entry& e = m_entries.at(i);
        if (isNet(e, "tcp") && (exceptId.isEmpty() || e.id != exceptId)
            && effectivePort(e.listenPort) == port)
            return i;
    }
    return -1;
}

QString ManagedDevices::appendNetUdp(const QString& productId, const QString& alias,
                                     const QString& localIp, int localPort, const QString& remoteIp,
                                     int remotePort, bool makeCurrent)
{
    const int existing = indexOfNetUdp(localIp, localPort, remoteIp, remotePort);
    QString id;
    if (existing >= 0) {
        Entry& e = m_entries[existing];
        e.productId = productId;
        if (!alias.trimmed().isEmpty())
            e.alias = alias.trimmed();
        id = e.id;
    } else {
        Entry e;
        e.id = freshId();
        e.productId = productId;
        e.kind = EntryKind::Net;
        e.netTransport = QStringLiteral("udp");
        e.alias = alias.trimmed();
        e.localIp = localIp.trimmed();
        e.localPort = effectivePort(localPort);
        e.remoteIp = remoteIp.trimmed();
        e.remotePort = effectivePort(remotePort);
        m_entries.append(e);
        id = e.id;
    }
    if (makeCurrent)
        setCurrentId(id);
    commit();
    return id;
}

bool ManagedDevices::updateNetUdp(const QString& id, const QString& alias, const QString& localIp,
                                  int localPort, const QString& remoteIp, int remotePort)
{
    const int i = indexOfId(id);
    if (i < 0 || !isNet(m_entries.at(i), "udp") || remoteIp.trimmed().isEmpty()
        || indexOfNetUdpExcept(localIp, localPort, remoteIp, remotePort, id) >= 0)
        return false;
    Entry& e = m_entries[i];
    e.alias = alias.trimmed();
    e.localIp = localIp.trimmed();
    e.localPort = effectivePort(localPort);
    e.remoteIp = remoteIp.trimmed();
    e.remotePort = effectivePort(remotePort);
    commit();
    return true;
}

QString ManagedDevices::appendNetTcp(const QString& productId, const QString& alias, int listenPort,
                                     bool makeCurrent)
{
    const int existing = indexOfNetTcp(listenPort);
    QString id;
    if (existing >= 0) {
        Entry& e = m_entries[existing];
        e.productId = productId;
        if (!alias.trimmed().isEmpty())
            e.alias = alias.trimmed();
        id = e.id;
    } else {
        Entry e;
        e.id = freshId();
        e.productId = productId;
        e.kind = EntryKind::Net;
        e.netTransport = QStringLiteral("tcp");
        e.alias = alias.trimmed();
        e.listenPort = effectivePort(listenPort);
        m_entries.append(e);
        id = e.id;
    }
    if (makeCurrent)
        setCurrentId(id);
    commit();
    return id;
}

bool ManagedDevices::updateNetTcp(const QString& id, const QString& alias, int listenPort)
{
    const int i = indexOfId(id);
    if (i < 0 || !isNet(m_entries.at(i), "tcp") || indexOfNetTcpExcept(listenPort, id) >= 0)
        return false;
    Entry& e = m_entries[i];
    e.alias = alias.trimmed();
    e.listenPort = effectivePort(listenPort);
    commit();
    return true;
}

// ---- lookups -------------------------------------------------------------------------

QString ManagedDevices::title(const QString& id) const
{
    const int i = indexOfId(id);
    return i < 0 ? QString() : modelOrDefault(m_entries.at(i).deviceModelId).toUpper();
}

QString ManagedDevices::summary(const QString& id) const
{
    const int i = indexOfId(id);
    if (i < 0)
        return QString();
    const Entry& e = m_entries.at(i);
    if (e.kind == EntryKind::Serial)
        return QStringLiteral("%1 @ %2").arg(e.port, QString::number(e.baud));
    if (isNet(e, "udp") && !e.remoteIp.trimmed().isEmpty())
        return QStringLiteral("%1:%2 → %3:%4")
            .arg(e.localIp.isEmpty() ? QStringLiteral("0.0.0.0") : e.localIp,
                 QString::number(effectivePort(e.localPort)), e.remoteIp,
                 QString::number(effectivePort(e.remotePort)));
    if (isNet(e, "tcp") && e.listenPort > 0)
        return QStringLiteral("TCP :%1").arg(e.listenPort);
    return tr("网口（未配置）");
}

QString ManagedDevices::productId(const QString& id) const
{
    return entry(id).productId;
}

QString ManagedDevices::entryDeviceModelId(const QString& id) const
{
    return modelOrDefault(entry(id).deviceModelId);
}

QString ManagedDevices::entryAlias(const QString& id) const
{
    return entry(id).alias;
}

QString ManagedDevices::entryTransport(const QString& id) const
{
    const Entry e = entry(id);
    if (e.kind == EntryKind::Serial)
        return QStringLiteral("serial");
    if (isNet(e, "udp") || isNet(e, "tcp"))
        return e.netTransport;
    return QString();
}

QString ManagedDevices::entryPort(const QString& id) const
{
    return entry(id).port;
}

int ManagedDevices::entryBaud(const QString& id) const
{
    return entry(id).baud;
}

bool ManagedDevices::hasSerialPort(const QString& port) const
{
    return indexOfSerialPort(port) >= 0;
}

QString ManagedDevices::entryLocalIp(const QString& id) const
{
    const QString ip = entry(id).localIp;
    return ip.isEmpty() ? QStringLiteral("0.0.0.0") : ip;
}

int ManagedDevices::entryLocalPort(const QString& id) const
{
    return effectivePort(entry(id).localPort);
}

QString ManagedDevices::entryRemoteIp(const QString& id) const
{
    return entry(id).remoteIp;
}

int ManagedDevices::entryRemotePort(const QString& id) const
{
    return effectivePort(entry(id).remotePort);
}

int ManagedDevices::entryListenPort(const QString& id) const
{
    return effectivePort(entry(id).listenPort);
}

void ManagedDevices::remove(const QString& id)
{
    const int i = indexOfId(id);
    if (i < 0)
        return;
    m_entries.removeAt(i);
    if (id == m_currentId) {
        m_currentId = m_entries.isEmpty() ? QString() : m_entries.constFirst().id;
        emit currentIdChanged();
    }
    commit();
}

} // namespace gcs
