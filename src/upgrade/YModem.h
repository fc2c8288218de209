#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

namespace gcs {

class ITransport;

/// Stand-in until the upgrade subsystem lands: the YModem engine. It is never busy and
/// refuses every transfer.
class YModem : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool busy READ busy NOTIFY busyChanged)
public:
    explicit YModem(QObject* parent = nullptr);
    ~YModem() override;

    bool busy() const { return false; }
    void attach(gcs::ITransport* transport);
    Q_INVOKABLE bool startSend(const QString& filePath);
    void beginHandshake(int ms);
    Q_INVOKABLE bool startReceive(const QString& savePath);
    Q_INVOKABLE void cancel();
    void onRx(const QByteArray& bytes);

signals:
    void busyChanged();
    void finished(bool ok, QString message);

private:
    gcs::ITransport* m_transport = nullptr;
};

} // namespace gcs
