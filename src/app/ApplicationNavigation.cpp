// Product switch and page navigation of the controller.

#include "app/Application.h"

#include "catalog/AppSettings.h"
#include "catalog/ManagedDevices.h"
#include "catalog/ProductRegistry.h"
#include "catalog/SettingsKeys.h"
#include "catalog/UiConfig.h"
#include "ins/InsBridge.h"
#include "ins/TelemetryHub.h"
#include "link/Session.h"

#include <QCoreApplication>
#include <QDir>
#include <QTimer>

namespace gcs {

namespace {

const char* const kIns = "ins";

QString keptText(const QString& what, const KeptCopy& copy)
{
    if (copy.path.isEmpty())
        return QCoreApplication::translate("gcs::Application", "%1；未能另存原文件副本（%2）")
            .arg(what, copy.error);
    return QCoreApplication::translate("gcs::Application", "%1；原文件已另存为 %2")
        .arg(what, QDir::toNativeSeparators(copy.path));
}

} // namespace

void Application::registerProducts()
{
    m_products->registerBuiltInProducts();

    // This build serves the INS product only; whatever else a settings file names is
    // taken as INS.
    QString product
        = m_settings->store()->value(settingskeys::kProduct, QString::fromLatin1(kIns)).toString();
    if (product != QLatin1String(kIns))
        product = QString::fromLatin1(kIns);
    m_products->setCurrentProductId(product);

    m_managedDevices->load(m_settings->store());
    if (!m_managedDevices->currentId().isEmpty())
        applyManagedDevice(m_managedDevices->currentId());
    tellUnreadableSettings();

    setUpRelays();
}

void Application::tellUnreadableSettings()
{
    QStringList texts;
    if (m_settings->unreadableCopy().needed)
        texts << keptText(tr("设置文件无法读取，无法识别的设置已恢复默认"),
                          m_settings->unreadableCopy());
    if (m_managedDevices->unreadableCopy().needed)
        texts << keptText(tr("设备列表无法读取，已纳管的设备未能载入"),
                          m_managedDevices->unreadableCopy());
    if (texts.isEmpty())
        return;
    // The controller is made before the window: the text waits for the event loop.
    QTimer::singleShot(0, this, [this, text = texts.join(tr("。"))]() { setError(text); });
}

void Application::applyProductSwitch(const QString& id)
{
    Q_UNUSED(id); // there is only one product to switch to
    m_products->setCurrentProductId(QString::fromLatin1(kIns));
    m_settings->setLastProductId(QString::fromLatin1(kIns));
    openDefaultProductPage();
}

void Application::selectProduct(const QString& id)
{
    if (m_pending.clear())
        emit pendingConnectChanged();
    setDeviceAlias(QString());
    applyProductSwitch(id);
}

void Application::openDefaultProductPage()
{
    const QString first = m_products->navId(0);
    setCurrentNav(first.isEmpty() ? QStringLiteral("attitude") : first);
}

void Application::setCurrentNav(const QString& navId)
{
    QString id = navId;
    if (id == QLatin1String("factory_config") && !m_uiConfig->factoryConfigVisible())
        id = QStringLiteral("user_config");
    if (id == m_currentNav)
        return;
    // A device page while a recording plays (or a replay page without one) stays closed.
    if (!m_products->isNavAvailable(id))
        return;

    const bool rawViewWasActive = insRawLogViewActive();
    m_currentNav = id;
    if (rawViewWasActive && !insRawLogViewActive())
        flushInsLogBatch(false);

    // Nothing is sent to a replay.
    if (m_products->currentProductId() == QLatin1String(kIns) && !replayActive()) {
        if (id == QLatin1String("user_config")) {
            enterInsUserConfigPage();
        } else if (id == QLatin1String("factory_config")) {
            // The factory page reads the device itself; the live stream stops first.
            if (Session* s = currentManagedSession(); s && s->isConnected()) {
                m_hub->markOffline();
                m_ins->resetParseBuffer();
                sendVornNavOutCommand(false);
            }
        } else {
            syncInsNavOutForNav(id);
        }
    }
    emit currentNavChanged();
}

} // namespace gcs
