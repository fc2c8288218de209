#pragma once

#include "catalog/KeptCopy.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class QSettings;

namespace gcs {

/// The persisted list of devices under management: how to reach each one (a serial port
/// and baud, or network parameters), its product and device model, a user alias, and
/// which one is current. Every change bumps the revision, emits listChanged and writes
/// the list back to the settings store it was loaded from. A stored list that cannot be
/// read is kept: a copy of the file goes beside it, and no empty list is written over it.
class ManagedDevices : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QStringList ids READ ids NOTIFY listChanged)
    Q_PROPERTY(QString currentId READ currentId NOTIFY currentIdChanged)
    Q_PROPERTY(int count READ count NOTIFY listChanged)
    Q_PROPERTY(int revision READ revision NOTIFY listChanged)
public:
    enum class EntryKind : qint32 {
        Serial = 0,
        Net = 1,
    };

    struct Entry
    {
        QString id; ///< UUID text without braces
        QString productId;
        QString deviceModelId; ///< readers substitute "kt45" when empty
        QString alias;
        EntryKind kind = EntryKind::Serial;
        QString port; ///< port key
        int baud = 115200;
        QString netTransport; ///< "udp" or "tcp" for network entries
        QString localIp;
        int localPort = 0;
        QString remoteIp;
        int remotePort = 0;
        int listenPort = 0;
    };

    explicit ManagedDevices(QObject* parent = nullptr);
    ~ManagedDevices() override;

    QStringList ids() const;
    QString currentId() const { return m_currentId; }
    int count() const { return int(m_entries.size()); }
    int revision() const { return m_listRevision; }
    const QList<Entry>& entries() const { return m_entries; }

    /// Replaces the list from the store and remembers the store for later commits.
    void load(QSettings* store);
    /// What the last load could not read: the stored list was no JSON array. The copy of
    /// the file is made beside it (".devices.bad"); the stored text itself stays until a
    /// device is added.
    const KeptCopy& unreadableCopy() const { return m_unreadableCopy; }
    void save(QSettings* store);
    void persist(QSettings* store);
    void setCurrentId(const QString& id);
    /// A copy of the entry, or an empty entry (baud 115200) when the id is not listed.
    Entry entry(const QString& id) const;

    QString appendSerial(const QString& productId, const QString& alias, const QString& port,
                         int baud, bool makeCurrent, const QString& deviceModelId);
    QString upsertSerial(const QString& productId, const QString& alias, const QString& port,
                         int baud, bool makeCurrent, const QString& deviceModelId);
    bool updateSerial(const QString& id, const QString& alias, const QString& port, int baud,
                      const QString& deviceModelId);
    QString appendNetUdp(const QString& productId, const QString& alias, const QString& localIp,
                         int localPort, const QString& remoteIp, int remotePort, bool makeCurrent);
    bool updateNetUdp(const QString& id, const QString& alias, const QString& localIp,
                      int localPort, const QString& remoteIp, int remotePort);
    QString appendNetTcp(const QString& productId, const QString& alias, int listenPort,
                         bool makeCurrent);
    bool updateNetTcp(const QString& id, const QString& alias, int listenPort);

    int indexOfSerialPort(const QString& port) const;
    int indexOfSerialPortExcept(const QString& port, const QString& exceptId) const;
    int indexOfNetUdp(const QString& localIp, int localPort, const QString& remoteIp,
                      int remotePort) const;
    int indexOfNetUdpExcept(const QString& localIp, int localPort, const QString& remoteIp,
                            int remotePort, const QString& exceptId) const;
    int indexOfNetTcp(int listenPort) const;
    int indexOfNetTcpExcept(int listenPort, const QString& exceptId) const;

    Q_INVOKABLE QString title(const QString& id) const;
    Q_INVOKABLE QString summary(const QString& id) const;
    Q_INVOKABLE QString productId(const QString& id) const;
    Q_INVOKABLE QString entryDeviceModelId(const QString& id) const;
    Q_INVOKABLE QString entryAlias(const QString& id) const;
    Q_INVOKABLE QString entryTransport(const QString& id) const;
    Q_INVOKABLE QString entryPort(const QString& id) const;
    Q_INVOKABLE int entryBaud(const QString& id) const;
    Q_INVOKABLE bool hasSerialPort(const QString& port) const;
    Q_INVOKABLE QString entryLocalIp(const QString& id) const;
    Q_INVOKABLE int entryLocalPort(const QString& id) const;
    Q_INVOKABLE QString entryRemoteIp(const QString& id) const;
    Q_INVOKABLE int entryRemotePort(const QString& id) const;
    Q_INVOKABLE int entryListenPort(const QString& id) const;
    Q_INVOKABLE void remove(const QString& id);

    /// A network port below 1 stands for the default port 8000.
    static int effectivePort(int port);

signals:
    void listChanged();
    void currentIdChanged();

private:
    int indexOfId(const QString& id) const;
    void commit();
    Entry newSerialEntry(const QString& portKey) const;

    QList<Entry> m_entries;
    int m_listRevision = 0;
    QString m_currentId;
    QSettings* m_store = nullptr;
    KeptCopy m_unreadableCopy;
    // The store still holds a list that could not be read; an empty list is not written
    // over it.
    bool m_storedListUnread = false;
};

} // namespace gcs
