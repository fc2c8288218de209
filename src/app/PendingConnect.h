#pragma once

#include <QString>

namespace gcs {

/// The serial port and baud that the next connect of the current device will use.
/// Clearing the port always puts the baud back to 115200.
class PendingConnect
{
public:
    static constexpr int kDefaultBaud = 115200;

    bool isSet() const { return !m_port.isEmpty(); }
    QString port() const { return m_port; }
    int baud() const { return m_baud; }
    /// port must be a non-empty port key; a baud below 1 means 115200.
    void set(const QString& port, int baud);
    /// False when nothing was pending.
    bool clear();
    /// "port @ baud", or empty without a pending port.
    QString summary() const;

private:
    QString m_port;
    int m_baud = kDefaultBaud;
};

} // namespace gcs
