// Firmware upgrade operations of the controller. The procedure itself (checks, reset,
// reopening at the boot loader's rate, the handshake, restoring the rate afterwards and
// every text it shows) lives in UpgradeFlow, which telvo-cli runs as well; the controller
// supplies the current session, the file dialog, and turns the flow's reports into its
// own error, notice and change signals.

#include "app/Application.h"

#include "upgrade/UpgradeFlow.h"
#include "upgrade/YModem.h"

namespace gcs {

void Application::wireUpgradeFlow()
{
    m_upgradeFlow = new UpgradeFlow(
        m_ymodem, [this] { return currentManagedSession(); }, this);
    connect(m_upgradeFlow, &UpgradeFlow::errorReported, this, &Application::setError);
    connect(m_upgradeFlow, &UpgradeFlow::noticeReported, this, &Application::setUserNotice);
    connect(m_upgradeFlow, &UpgradeFlow::upgradeFileChanged, this,
            &Application::upgradeFileChanged);
    connect(m_upgradeFlow, &UpgradeFlow::resetModeChanged, this,
            &Application::upgradeResetModeChanged);
    connect(m_upgradeFlow, &UpgradeFlow::serialLinkChanged, this, [this] {
        emit serialBaudChanged();
        emit connectHintChanged();
        emit currentManagedConnectedChanged();
    });
}

QString Application::upgradeFileName() const
{
    return m_upgradeFlow->upgradeFileName();
}

bool Application::upgradeFileReady() const
{
    return m_upgradeFlow->upgradeFileReady();
}

bool Application::upgradeHardwareReset() const
{
    return m_upgradeFlow->hardwareReset();
}

void Application::setUpgradeHardwareReset(bool hardware)
{
    m_upgradeFlow->setHardwareReset(hardware);
}

bool Application::chooseUpgradeFile()
{
    return m_upgradeFlow->acceptChosenFile(
        pickOpenFile(UpgradeFlow::fileDialogTitle(), UpgradeFlow::fileDialogFilter()));
}

bool Application::startUpgrade(const QString& filePath)
{
    return m_upgradeFlow->startUpgrade(filePath);
}

bool Application::startPickedUpgrade()
{
    return m_upgradeFlow->startPickedUpgrade();
}

bool Application::startUpgradeAfterHardwareReset()
{
    return m_upgradeFlow->startUpgradeAfterHardwareReset();
}

bool Application::startReceive(const QString& filePath)
{
    return m_upgradeFlow->startReceive(filePath);
}

void Application::cancelUpgrade()
{
    m_upgradeFlow->cancelUpgrade();
}

} // namespace gcs
