// Firmware upgrade flow of the controller.
//
// The end of a transfer (restoring the link's baud, reporting the engine's result) is
// complete; choosing a file and starting a transfer are not part of this build yet and
// report that through lastError.

#include "app/Application.h"

#include "upgrade/YModem.h"

namespace gcs {

void Application::onUpgradeFinished(bool ok, const QString& message)
{
    const int baud = m_upgrade.restoreBaud();
    const UpgradeState::Restore restore = m_upgrade.restoreLink(currentSerialTransport());
    if (restore != UpgradeState::Restore::NothingToDo) {
        emit serialBaudChanged();
        emit connectHintChanged();
        emit currentManagedConnectedChanged();
    }
    if (ok) {
        setError(QString());
        setUserNotice(message);
    } else {
        setError(message);
    }
    // A link that did not come back at its old rate is not "done": without this the user
    // would see only the success toast while the port stays closed.
    if (restore == UpgradeState::Restore::Failed)
        setError(QStringLiteral("升级结束，但无法以 %1 重开串口，请重新连接设备").arg(baud));
}

bool Application::chooseUpgradeFile()
{
    return reportUnavailable("chooseUpgradeFile");
}

bool Application::startUpgrade(const QString& /*filePath*/)
{
    return reportUnavailable("startUpgrade");
}

bool Application::startPickedUpgrade()
{
    return reportUnavailable("startPickedUpgrade");
}

bool Application::startUpgradeAfterHardwareReset()
{
    return reportUnavailable("startUpgradeAfterHardwareReset");
}

bool Application::startReceive(const QString& /*filePath*/)
{
    return reportUnavailable("startReceive");
}

void Application::cancelUpgrade()
{
    m_ymodem->cancel();
}

} // namespace gcs
