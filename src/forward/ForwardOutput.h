#pragma once

#include <QObject>
#include <QString>

namespace gcs {

/// What the forwarding outputs (UdpJsonSender, NmeaServer) share: their state, the text of
/// their last failure, and the signals that tell both.
class ForwardOutput : public QObject
{
    Q_OBJECT
public:
    /// Off; Starting while a host name is looked up; Working while sending or listening;
    /// Failed with errorText() saying why.
    enum class State { Off, Starting, Working, Failed };

    State state() const { return m_state; }
    /// Why it failed (Failed), or a trouble told while working; else empty.
    QString errorText() const { return m_error; }

signals:
    void stateChanged();
    /// A failure to tell the user.
    void failed(const QString& message);

protected:
    explicit ForwardOutput(QObject* parent = nullptr);

    void setState(State state);
    /// Logs message, keeps it as errorText(), turns Failed and tells it.
    void fail(const QString& message);

    QString m_error;

private:
    State m_state = State::Off;
};

} // namespace gcs
