#pragma once

#include "link/ITransport.h"

#include <QObject>
#include <QString>

#include <memory>

namespace gcs {

/// One named connection to one device: an id, a label, the one transport it owns and
/// byte counters. Received bytes pass through unchanged; the receive counter is already
/// updated when listeners of bytesReceived run.
class Session : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString id READ id CONSTANT)
    Q_PROPERTY(QString label READ label CONSTANT)
    Q_PROPERTY(bool connected READ isConnected NOTIFY connectedChanged)
    Q_PROPERTY(QString description READ description NOTIFY connectedChanged)
    Q_PROPERTY(qint64 rxBytes READ rxBytes NOTIFY statsChanged)
    Q_PROPERTY(qint64 txBytes READ txBytes NOTIFY statsChanged)
public:
    Session(const QString& id, const QString& label, std::unique_ptr<ITransport> transport,
            QObject* parent = nullptr);
    ~Session() override;

    Q_INVOKABLE bool connectTransport();
    Q_INVOKABLE void disconnectTransport();

    QString id() const { return m_id; }
    QString label() const { return m_label; }
    bool isConnected() const;
    QString description() const;
    qint64 rxBytes() const { return m_rxBytes; }
    qint64 txBytes() const { return m_txBytes; }
    ITransport* transport() const { return m_transport.get(); }

    /// Sends through the transport; only a successful send counts in txBytes.
    bool send(const QByteArray& data);

signals:
    void connectedChanged();
    void statsChanged();
    void bytesReceived(QByteArray data);
    void errorOccurred(QString message);
    /// Relayed from the transport's linkLost.
    void linkLost();

private:
    void onTransportBytes(const QByteArray& data);

    QString m_id;
    QString m_label;
    std::unique_ptr<ITransport> m_transport;
    qint64 m_rxBytes = 0;
    qint64 m_txBytes = 0;
};

} // namespace gcs
