#pragma once

#include <QString>

namespace gcs {

class SerialTransport;

/// What the firmware-upgrade flow keeps between its steps: the chosen firmware file and
/// the baud rate the serial link ran at before it was moved to the boot loader's rate.
class UpgradeState
{
public:
    enum class Restore {
        NothingToDo, ///< no baud was remembered
        Done, ///< the link runs at the remembered baud again, or no serial link is left
        Failed, ///< the link could not be reopened at the remembered baud
    };

    QString file() const { return m_file; }
    /// The file name without its folder.
    QString fileName() const;
    bool fileReady() const { return !m_file.isEmpty(); }
    /// False when the path is the one already chosen.
    bool setFile(const QString& path);

    int restoreBaud() const { return m_restoreBaud; }
    void rememberRestoreBaud(int baud) { m_restoreBaud = qMax(0, baud); }
    /// Moves the link back to the remembered baud when it runs at another one, then
    /// forgets the baud. Without a serial link there is nothing to move.
    Restore restoreLink(SerialTransport* link);

private:
    QString m_file;
    int m_restoreBaud = 0;
};

} // namespace gcs
