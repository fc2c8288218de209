// The language of the window and of the controller's texts: the choice stored in gcs.ini,
// put in force at start-up before the window loads and again, at once, when it changes.

#include "app/Application.h"

#include "analysis/NoiseAnalysisTask.h"
#include "catalog/AppSettings.h"
#include "catalog/ProductRegistry.h"
#include "i18n/Language.h"
#include "ins/InsBridge.h"
#include "ins/TelemetryHub.h"
#include "link/SessionManager.h"
#include "record/Recorder.h"
#include "replay/ReplayController.h"
#include "upgrade/YModem.h"

#include <QQmlEngine>

namespace gcs {

QString Application::language() const
{
    return m_settings->language();
}

void Application::setLanguage(const QString& code)
{
    // The settings announce a real change, which puts it in force (see the constructor).
    m_settings->setLanguage(code);
}

void Application::setQmlEngine(QQmlEngine* engine)
{
    m_qmlEngine = engine;
}

bool Application::applyLanguage()
{
    const bool applied = language::apply(m_settings->language());
    // Bindings that translate (qsTr) are evaluated again; the rest follow the signals below.
    if (m_qmlEngine)
        m_qmlEngine->retranslate();
    // Every text held here or by a service for the window is made when read: whoever shows
    // one reads it again. A notice already shown stays as it was.
    emit languageChanged();
    emit statsTick(); // the clock's weekday and the footer
    emit connectHintChanged();
    emit contextLinkTextChanged();
    emit globalStatusTextChanged();
    emit detectHintChanged();
    emit deviceAliasChanged();
    emit managedDeviceLinkChanged();
    emit m_products->currentProductChanged();
    emit m_products->navMenuChanged();
    emit m_recorder->failureTextChanged();
    emit m_ins->statsShown();
    emit m_ymodem->statusTextChanged();
    emit m_hub->snapshotChanged(); // the fix and navigation states in its fields
    emit m_sessions->onlineCountChanged();
    emit m_replay->kindTextChanged();
    emit m_replay->settingsChanged(); // the speed's "最快"
    emit m_noise->resultChanged(); // the channels' names
    if (!applied)
        setError(tr("无法载入英文翻译，界面仍为中文"));
    return applied;
}

} // namespace gcs
