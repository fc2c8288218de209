#pragma once

#include "app/ConfigPageState.h"
#include "app/ControllerClocks.h"
#include "app/DiscoveryState.h"
#include "app/PendingConnect.h"
#include "app/ReconnectWait.h"
#include "app/SendState.h"
#include "console/ConsoleLog.h"
#include "discovery/SerialPortListing.h"
#include "discovery/SerialProbe.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

#include <functional>
#include <memory>

class QQmlEngine;
class QTimer;
class QWindow;

namespace gcs {

class AppSettings;
struct AutoSearchHit;
class ChartClock;
class Forwarder;
class CaptureExportTask;
class CommandCatalog;
class ITransport;
class InsBridge;
class ManagedDevices;
class NoiseAnalysisTask;
class ProductRegistry;
class Recorder;
class ReplayController;
class SerialTransport;
class Session;
class SessionManager;
class TelemetryHub;
class TimeSource;
class UpgradeFlow;
class UiConfig;
class YModem;

/// The single controller that QML binds to as "app". It owns every long-lived service
/// as a Qt child and exposes each as a constant property, runs the periodic timers,
/// wires the services together and carries the state and texts the window shows.
///
/// One object to QML, its implementation is split by operation group: Application.cpp
/// (core, timers, texts, wiring), ApplicationNavigation.cpp, ApplicationProfiles.cpp,
/// ApplicationConnection.cpp, ApplicationDiscovery.cpp, ApplicationSending.cpp,
/// ApplicationConsole.cpp, ApplicationUpgrade.cpp, ApplicationRecording.cpp,
/// ApplicationNoise.cpp, ApplicationReplay.cpp, ApplicationConfigPages.cpp and
/// ApplicationLanguage.cpp.
///
/// Every operation the user triggers reports through two texts: lastError (an error
/// toast) and userNotice (a success toast). Both signals fire on every assignment, so
/// the same message shows again when it happens again.
///
/// The texts it holds for the window (status, hints, link texts) are put together when
/// read, so that a change of language reaches them at once: it announces them all again.
class Application : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("app")
    Q_MOC_INCLUDE("analysis/NoiseAnalysisTask.h")
    Q_MOC_INCLUDE("capture/CaptureExportTask.h")
    Q_MOC_INCLUDE("catalog/AppSettings.h")
    Q_MOC_INCLUDE("catalog/ManagedDevices.h")
    Q_MOC_INCLUDE("catalog/ProductRegistry.h")
    Q_MOC_INCLUDE("catalog/UiConfig.h")
    Q_MOC_INCLUDE("console/CommandCatalog.h")
    Q_MOC_INCLUDE("ins/InsBridge.h")
    Q_MOC_INCLUDE("ins/TelemetryHub.h")
    Q_MOC_INCLUDE("link/SessionManager.h")
    Q_MOC_INCLUDE("record/Recorder.h")
    Q_MOC_INCLUDE("upgrade/YModem.h")
    Q_MOC_INCLUDE("ui/ChartClock.h")
    Q_MOC_INCLUDE("replay/ReplayController.h")
    Q_MOC_INCLUDE("forward/Forwarder.h")
    Q_MOC_INCLUDE(<QWindow>)

    Q_PROPERTY(gcs::ProductRegistry* products READ products CONSTANT)
    Q_PROPERTY(gcs::ManagedDevices* managedDevices READ managedDevices CONSTANT)
    Q_PROPERTY(gcs::SessionManager* sessions READ sessions CONSTANT)
    Q_PROPERTY(gcs::TelemetryHub* hub READ hub CONSTANT)
    Q_PROPERTY(gcs::AppSettings* settings READ settings CONSTANT)
    Q_PROPERTY(gcs::Recorder* recorder READ recorder CONSTANT)
    Q_PROPERTY(gcs::YModem* ymodem READ ymodem CONSTANT)
    Q_PROPERTY(gcs::CommandCatalog* catalog READ catalog CONSTANT)
    Q_PROPERTY(gcs::InsBridge* ins READ ins CONSTANT)
    Q_PROPERTY(gcs::UiConfig* uiConfig READ uiConfig CONSTANT)
    Q_PROPERTY(QString currentNav READ currentNav WRITE setCurrentNav NOTIFY currentNavChanged)
    Q_PROPERTY(QString connectHint READ connectHint NOTIFY connectHintChanged)
    Q_PROPERTY(QString runTimeText READ runTimeText NOTIFY statsTick)
    Q_PROPERTY(QString rxText READ rxText NOTIFY statsTick)
    Q_PROPERTY(QString txText READ txText NOTIFY statsTick)
    Q_PROPERTY(QStringList serialPorts READ serialPorts NOTIFY serialPortsChanged)
    Q_PROPERTY(QVariantList serialBaudRates READ serialBaudRates NOTIFY serialBaudRatesChanged)
    Q_PROPERTY(bool connecting READ connecting NOTIFY connectingChanged)
    Q_PROPERTY(QString logText READ logText NOTIFY logChanged)
    Q_PROPERTY(bool logHexMode READ logHexMode WRITE setLogHexMode NOTIFY logHexModeChanged)
    Q_PROPERTY(QString lastError READ lastError NOTIFY lastErrorChanged)
    Q_PROPERTY(QString userNotice READ userNotice NOTIFY userNoticeChanged)
    Q_PROPERTY(int pollMs READ pollMs WRITE setPollMs NOTIFY pollMsChanged)
    Q_PROPERTY(bool logPaused READ logPaused WRITE setLogPaused NOTIFY logPausedChanged)
    Q_PROPERTY(QStringList localIps READ localIps NOTIFY serialPortsChanged)
    Q_PROPERTY(QString computerTime READ computerTime NOTIFY statsTick)
    Q_PROPERTY(QString stopwatchText READ stopwatchText NOTIFY statsTick)
    Q_PROPERTY(QString triggerText READ triggerText NOTIFY statsTick)
    Q_PROPERTY(QStringList sendHistory READ sendHistory NOTIFY sendHistoryChanged)
    Q_PROPERTY(QString aboutText READ aboutText NOTIFY languageChanged)
    Q_PROPERTY(int timedSendMs READ timedSendMs WRITE setTimedSendMs NOTIFY timedSendMsChanged)
    Q_PROPERTY(
        QString timedSendText READ timedSendText WRITE setTimedSendText NOTIFY timedSendMsChanged)
    Q_PROPERTY(bool timedSendHex READ timedSendHex WRITE setTimedSendHex NOTIFY timedSendMsChanged)
    Q_PROPERTY(qint64 logRxCount READ logRxCount NOTIFY logChanged)
    Q_PROPERTY(qint64 logTxCount READ logTxCount NOTIFY logChanged)
    Q_PROPERTY(QString detectHint READ detectHint NOTIFY detectHintChanged)
    Q_PROPERTY(int lastDetectBaud READ lastDetectBaud NOTIFY detectHintChanged)
    Q_PROPERTY(bool searching READ searching NOTIFY searchingChanged)
    Q_PROPERTY(bool detectingPort READ detectingPort NOTIFY detectingPortChanged)
    Q_PROPERTY(bool searchFailed READ searchFailed NOTIFY detectHintChanged)
    /// detectHint tells of the detection of a port and baud (not of a search), and whether
    /// that found no answering unit.
    Q_PROPERTY(bool detectHintOfDetection READ detectHintOfDetection NOTIFY detectHintChanged)
    Q_PROPERTY(bool detectNoMatch READ detectNoMatch NOTIFY detectHintChanged)
    Q_PROPERTY(QString deviceAlias READ deviceAlias NOTIFY deviceAliasChanged)
    Q_PROPERTY(QString deviceDisplayName READ deviceDisplayName NOTIFY deviceAliasChanged)
    Q_PROPERTY(bool hasPendingConnect READ hasPendingConnect NOTIFY pendingConnectChanged)
    Q_PROPERTY(QString pendingConnectPort READ pendingConnectPort NOTIFY pendingConnectChanged)
    Q_PROPERTY(int pendingConnectBaud READ pendingConnectBaud NOTIFY pendingConnectChanged)
    Q_PROPERTY(
        QString pendingConnectSummary READ pendingConnectSummary NOTIFY pendingConnectChanged)
    Q_PROPERTY(QString contextLinkText READ contextLinkText NOTIFY contextLinkTextChanged)
    Q_PROPERTY(bool canConnectCurrent READ canConnectCurrent NOTIFY contextLinkTextChanged)
    Q_PROPERTY(bool currentManagedConnected READ currentManagedConnected NOTIFY
                   currentManagedConnectedChanged)
    Q_PROPERTY(QString globalStatusText READ globalStatusText NOTIFY globalStatusTextChanged)
    Q_PROPERTY(QString protocolTagText READ protocolTagText CONSTANT)
    Q_PROPERTY(bool footerLinkActive READ footerLinkActive NOTIFY globalStatusTextChanged)
    Q_PROPERTY(
        bool factoryReadbackActive READ factoryReadbackActive NOTIFY factoryReadbackActiveChanged)
    Q_PROPERTY(QStringList insConfigReported READ insConfigReported NOTIFY insConfigReportedChanged)
    Q_PROPERTY(int serialBaud READ serialBaud NOTIFY serialBaudChanged)
    Q_PROPERTY(QString upgradeFileName READ upgradeFileName NOTIFY upgradeFileChanged)
    Q_PROPERTY(bool upgradeFileReady READ upgradeFileReady NOTIFY upgradeFileChanged)
    Q_PROPERTY(bool upgradeHardwareReset READ upgradeHardwareReset WRITE setUpgradeHardwareReset
                   NOTIFY upgradeResetModeChanged)
    Q_PROPERTY(QString appVersion READ appVersion CONSTANT)
    Q_PROPERTY(bool reconnecting READ reconnecting NOTIFY reconnectingChanged)
    Q_PROPERTY(gcs::ChartClock* chartClock READ chartClock CONSTANT)
    Q_PROPERTY(gcs::CaptureExportTask* captureExport READ captureExport CONSTANT)
    Q_PROPERTY(QString lastRecordingPath READ lastRecordingPath NOTIFY lastRecordingChanged)
    Q_PROPERTY(gcs::NoiseAnalysisTask* noise READ noise CONSTANT)
    Q_PROPERTY(gcs::ReplayController* replay READ replay CONSTANT)
    Q_PROPERTY(gcs::Forwarder* forward READ forward CONSTANT)
    /// The language of the window, "zh_CN" or "en", stored in gcs.ini and put in force at
    /// once when set.
    Q_PROPERTY(QString language READ language WRITE setLanguage NOTIFY languageChanged)

public:
    explicit Application(QObject* parent = nullptr);
    /// The same with the clocks taken from time (the system clocks when null).
    explicit Application(std::unique_ptr<TimeSource> time, QObject* parent = nullptr);
    ~Application() override;

    // ---- services ----
    ProductRegistry* products() const { return m_products; }
    ManagedDevices* managedDevices() const { return m_managedDevices; }
    SessionManager* sessions() const { return m_sessions; }
    TelemetryHub* hub() const { return m_hub; }
    AppSettings* settings() const { return m_settings; }
    Recorder* recorder() const { return m_recorder; }
    YModem* ymodem() const { return m_ymodem; }
    CommandCatalog* catalog() const { return m_catalog; }
    InsBridge* ins() const { return m_ins; }
    UiConfig* uiConfig() const { return m_uiConfig; }
    /// The time base of the live charts, the same as the INS bridge's record times.
    ChartClock* chartClock() const { return m_chartClock; }

    /// Where live data take their time from, in seconds, for the INS bridge's record
    /// times and the charts alike (null: the monotonic clock). A source with its own time
    /// base (a replayed recording's position) sets it here and the charts follow it.
    void setDataClock(std::function<double()> source);

    /// The available area (work area) of the screen a window is on, else of the primary
    /// screen; 0, 0, 1920 x 1080 without one. For the window's own placement.
    Q_INVOKABLE QRect screenAvailableGeometry(QWindow* window) const;

    // ---- core: texts, clocks, poll interval (Application.cpp) ----
    QString lastError() const { return m_lastError; }
    QString userNotice() const { return m_userNotice; }
    /// Sets lastError and emits lastErrorChanged, also when the text is unchanged.
    void setError(const QString& message);
    /// Sets userNotice and emits userNoticeChanged, also when the text is unchanged.
    void setUserNotice(const QString& message);
    QString runTimeText() const;
    QString rxText() const;
    QString txText() const;
    QString computerTime() const;
    QString stopwatchText() const;
    QString triggerText() const;
    int pollMs() const { return m_pollMs; }
    /// Above 0 (re)starts the poll timer at that interval, otherwise stores 0 and stops
    /// it; pollMsChanged on every write.
    void setPollMs(int ms);
    QString globalStatusText() const;
    bool footerLinkActive() const;
    QString aboutText() const;
    QString protocolTagText() const { return QStringLiteral("#vorn"); }
    /// The project version the build was made from.
    QString appVersion() const;

    Q_INVOKABLE void startStopwatch();
    Q_INVOKABLE void resetStopwatch();
    Q_INVOKABLE void startTrigger(int seconds);
    Q_INVOKABLE void resetTrigger();

    // ---- language (ApplicationLanguage.cpp) ----
    /// The stored choice, "zh_CN" or "en".
    QString language() const;
    /// Stores the choice; a change is put in force at once (applyLanguage).
    void setLanguage(const QString& code);
    /// The engine whose bindings follow a change of language (not owned; may be null).
    void setQmlEngine(QQmlEngine* engine);
    /// Puts the stored language in force: the translator and the default locale for the
    /// whole process, the QML engine's translated bindings, and every text this controller
    /// and its services hold for the window, announced again. Start-up runs it before the
    /// window loads. False (with lastError) when the English translation cannot be loaded.
    bool applyLanguage();

    // ---- product and page navigation (ApplicationNavigation.cpp) ----
    QString currentNav() const { return m_currentNav; }
    void setCurrentNav(const QString& navId);
    Q_INVOKABLE void selectProduct(const QString& id);
    Q_INVOKABLE void openDefaultProductPage();

    // ---- profiles (ApplicationProfiles.cpp) ----
    /// Loads "vorn.yaml" and "ui.yaml" from dir; a missing file keeps what was loaded.
    void loadProfiles(const QString& dir);
    void applyUiConfigVisibility();

    // ---- connections and managed devices (ApplicationConnection.cpp) ----
    QString connectHint() const;
    bool connecting() const { return m_connecting; }
    QString deviceAlias() const { return m_deviceAlias; }
    QString deviceDisplayName() const;
    bool hasPendingConnect() const { return m_pending.isSet(); }
    QString pendingConnectPort() const { return m_pending.port(); }
    int pendingConnectBaud() const { return m_pending.baud(); }
    QString pendingConnectSummary() const { return m_pending.summary(); }
    QString contextLinkText() const;
    bool canConnectCurrent() const;
    bool currentManagedConnected() const;
    /// The session of the current managed device, or the primary session without one.
    Session* currentManagedSession() const;
    /// The current managed session's link when it is connected over serial.
    SerialTransport* currentSerialTransport() const;
    /// Where catalog commands go: the current device's connected session; without a
    /// current device the primary session.
    Session* commandSession() const;

    Q_INVOKABLE bool connectSerial(const QString& port, int baud);
    Q_INVOKABLE bool connectUdp(const QString& localIp, int localPort, const QString& remoteIp,
                                int remotePort);
    Q_INVOKABLE bool connectTcp(int listenPort);
    Q_INVOKABLE bool connectNamedUdp(const QString& id, const QString& label,
                                     const QString& localIp, int localPort, const QString& remoteIp,
                                     int remotePort);
    Q_INVOKABLE bool connectNamedTcp(const QString& id, const QString& label, int listenPort);
    Q_INVOKABLE void disconnectPrimary();
    Q_INVOKABLE void disconnectSession(const QString& id);
    Q_INVOKABLE QString sessionHint(const QString& id) const;
    Q_INVOKABLE void setPendingSerialConnect(const QString& port, int baud);
    Q_INVOKABLE void clearPendingConnect();
    Q_INVOKABLE bool connectPending();
    Q_INVOKABLE bool stageManualUdp(const QString& productId, const QString& alias,
                                    const QString& localIp, int localPort, const QString& remoteIp,
                                    int remotePort);
    Q_INVOKABLE bool stageManualTcp(const QString& productId, const QString& alias, int listenPort);
    Q_INVOKABLE bool stageManualSerialConnect(const QString& productId, const QString& alias,
                                              const QString& port, int baud,
                                              const QString& deviceModelId = QString());
    Q_INVOKABLE bool connectCurrentManaged();
    Q_INVOKABLE void autoConnectSavedDevice();
    Q_INVOKABLE void selectManagedDevice(const QString& id);
    Q_INVOKABLE bool enterManagedDevice(const QString& id);
    Q_INVOKABLE void removeManagedDevice(const QString& id);
    Q_INVOKABLE bool updateManagedSerial(const QString& id, const QString& alias,
                                         const QString& port, int baud,
                                         const QString& deviceModelId = QString());
    Q_INVOKABLE bool updateManagedUdp(const QString& id, const QString& alias,
                                      const QString& localIp, int localPort,
                                      const QString& remoteIp, int remotePort);
    Q_INVOKABLE bool updateManagedTcp(const QString& id, const QString& alias, int listenPort);
    Q_INVOKABLE QString managedDeviceLabel(const QString& id) const;
    Q_INVOKABLE QString defaultManagedDeviceAlias(const QString& deviceModelId = QString()) const;
    Q_INVOKABLE bool managedDeviceOnline(const QString& id) const;
    /// The device is being connected, or awaited after its link went away by itself.
    Q_INVOKABLE bool managedDeviceLinking(const QString& id) const;
    /// "已连接", "连接中" or "未连接", in the language in force.
    Q_INVOKABLE QString managedDeviceLinkStatus(const QString& id) const;
    /// Writes the managed-device state to the settings and the settings to disk; run
    /// when the application quits.
    Q_INVOKABLE void persistManagedState();
    /// The current device's serial link went away by itself and is awaited: it is opened
    /// again (same port and baud, after the usual check) once the unit answers. "断开",
    /// another device or removing this one ends the wait; so does the setting.
    bool reconnecting() const { return m_reconnect.active(); }

    // ---- ports, bauds, search and detection (ApplicationDiscovery.cpp) ----
    /// Where refreshPorts takes the serial ports from. The platform's list by default;
    /// tests and tools give ports it does not show (pseudo-terminals on Linux). A null
    /// source restores the platform's list. Takes effect at the next refresh.
    using SerialPortSource = std::function<QList<SerialPortListing>()>;
    void setSerialPortSource(SerialPortSource source);
    QStringList serialPorts() const { return m_discovery.serialPorts; }
    QStringList localIps() const { return m_discovery.localIps; }
    /// The six built-in rates, then the user's own rates in stored order.
    QList<int> serialBaudRateList() const;
    QVariantList serialBaudRates() const;
    QString detectHint() const { return m_discovery.detectHint.text(); }
    int lastDetectBaud() const { return m_discovery.lastDetectBaud; }
    bool searching() const { return m_discovery.searching; }
    bool detectingPort() const { return m_discovery.detectingPort; }
    /// The last search ended without finding a unit (and no hint replaced its verdict).
    bool searchFailed() const
    {
        return !m_discovery.searching
            && m_discovery.hintKind == DiscoveryState::HintKind::SearchFoundNothing;
    }
    bool detectHintOfDetection() const
    {
        return m_discovery.hintKind == DiscoveryState::HintKind::Detection || detectNoMatch();
    }
    bool detectNoMatch() const
    {
        return m_discovery.hintKind == DiscoveryState::HintKind::DetectionNoMatch;
    }
    int serialBaud() const;

    Q_INVOKABLE bool addCustomSerialBaud(int baud);
    Q_INVOKABLE bool removeCustomSerialBaud(int baud);
    Q_INVOKABLE bool isCustomSerialBaud(int baud) const;
    Q_INVOKABLE void refreshPorts(bool notify = false);
    Q_INVOKABLE QString detectPort(const QString& preferredPort = QString(), int preferredBaud = 0);
    Q_INVOKABLE void beginDetectPort(const QString& preferredPort = QString(),
                                     int preferredBaud = 0);
    Q_INVOKABLE QString autoSearchDevices();
    /// Whether the port a text names is there: in the port list, or, for a device path
    /// (pseudo-terminals are never listed), when the path exists.
    Q_INVOKABLE bool serialPortPresent(const QString& portText) const;
    /// Stops every probe still running on the worker threads (search, detection, checks
    /// before a connect) and waits until each has closed its port; probing stays off
    /// afterwards. Run when the application quits, so that no port is held after the
    /// process has let go of its instance lock; the destructor runs it too.
    void stopProbes();

    // ---- sending (ApplicationSending.cpp) ----
    /// Counts n bytes sent to the device in the INS statistics (INS product only).
    void noteInsBytesSent(int n);
    /// The success notice of a catalog command: its label and the text sent.
    QString commandUserNotice(const QString& name, const QByteArray& sent) const;

    QStringList sendHistory() const { return m_send.history; }
    int timedSendMs() const { return m_send.timedMs; }
    QString timedSendText() const { return m_send.timedText; }
    bool timedSendHex() const { return m_send.timedHex; }
    void setTimedSendMs(int ms);
    void setTimedSendText(const QString& text);
    void setTimedSendHex(bool hex);

    Q_INVOKABLE void rememberSend(const QString& text);
    Q_INVOKABLE void sendFileLines(const QString& content);
    Q_INVOKABLE bool sendCommand(const QString& id);
    Q_INVOKABLE bool sendCommandArgs(const QString& id, const QStringList& args);
    Q_INVOKABLE bool sendOn(const QString& sessionId, const QString& text, bool asHex);
    Q_INVOKABLE bool sendRaw(const QString& text, bool asHex);

    // ---- communication log (ApplicationConsole.cpp) ----
    QString logText() const { return m_log.text(); }
    bool logHexMode() const { return m_log.hexMode(); }
    /// Renders the raw-data view again in the new form (announced with logSynced while
    /// that view is shown); lines already written keep their form.
    void setLogHexMode(bool on);
    bool logPaused() const { return m_log.paused(); }
    /// Emits logPausedChanged only when the value changes.
    void setLogPaused(bool paused);
    qint64 logRxCount() const { return m_log.rxCount(); }
    qint64 logTxCount() const { return m_log.txCount(); }
    /// The raw-data view shows received INS bytes only while its page is current.
    bool insRawLogViewActive() const;
    /// The log's state, read-only (buffer sizes, banner flags).
    const ConsoleLog& consoleLog() const { return m_log; }
    /// Traces bytes that went out to the device: a "发送" banner and the command.
    void appendCommandTrace(const QByteArray& bytes);
    /// Accounts one received chunk of the current device for the log.
    void appendInsRawLog(const QByteArray& bytes);

    Q_INVOKABLE bool saveLog(const QString& path);
    Q_INVOKABLE void clearLog();

    // ---- firmware upgrade (ApplicationUpgrade.cpp) ----
    QString upgradeFileName() const;
    bool upgradeFileReady() const;
    /// The reset mode of the upgrade (true: by the user's hand), kept by the upgrade flow.
    bool upgradeHardwareReset() const;
    void setUpgradeHardwareReset(bool hardware);
    /// The upgrade procedure around the engine; it owns the chosen file and the rate the
    /// link returns to after a transfer.
    UpgradeFlow* upgradeFlow() const { return m_upgradeFlow; }

    Q_INVOKABLE bool chooseUpgradeFile();
    Q_INVOKABLE bool startUpgrade(const QString& filePath);
    Q_INVOKABLE bool startPickedUpgrade();
    Q_INVOKABLE bool startUpgradeAfterHardwareReset();
    Q_INVOKABLE bool startReceive(const QString& filePath);
    Q_INVOKABLE void cancelUpgrade();

    // ---- recording (ApplicationRecording.cpp) ----
    Q_INVOKABLE bool startRecord(const QString& csvPath, const QString& rawPath);
    Q_INVOKABLE bool startRecordInDir(const QString& dir);
    Q_INVOKABLE void stopRecord();
    /// The export of recordings to CSV or KML, running off the GUI thread.
    CaptureExportTask* captureExport() const { return m_captureExport; }
    /// The file an export of the last recording reads (its message log, else its raw
    /// file); empty while recording and before the first recording.
    QString lastRecordingPath() const;
    /// Exports the last recording as format ("csv" or "kml") to a file the user picks.
    Q_INVOKABLE bool exportRecording(const QString& format);
    /// The same for any recording file (a message log or a raw capture).
    Q_INVOKABLE bool exportCaptureFile(const QString& source, const QString& format);
    Q_INVOKABLE void cancelExport();
    /// The noise analysis of a recording, running off the GUI thread
    /// (ApplicationNoise.cpp).
    NoiseAnalysisTask* noise() const { return m_noise; }

    // ---- configuration pages and files (ApplicationConfigPages.cpp) ----
    bool factoryReadbackActive() const { return m_configPages.factoryReadbackActive; }
    /// Numeric read-backs of the INS bridge ("gnssYaw", "extrapMs") the unit has answered
    /// since the program started; before that the bridge's 0 is no value of the unit's.
    QStringList insConfigReported() const { return m_configPages.reported; }

    Q_INVOKABLE QString readTextFile(const QString& path);
    Q_INVOKABLE bool writeTextFile(const QString& path, const QString& content);
    Q_INVOKABLE QVariantMap parseCompensateDatFile(const QString& path);
    Q_INVOKABLE QVariantMap readCompensateFileBundle(const QString& path);
    Q_INVOKABLE void readInsUserConfig();
    Q_INVOKABLE void startFactoryReadback();
    Q_INVOKABLE void stopFactoryReadback();
    Q_INVOKABLE QString pickOpenFile(const QString& title, const QString& filter);
    Q_INVOKABLE QString pickSaveFile(const QString& title, const QString& filter);
    Q_INVOKABLE QString pickDirectory(const QString& title);
    /// Who answers pickOpenFile, pickSaveFile and pickDirectory; null restores the
    /// platform's dialogs. Tests and tools answer here, so no modal dialog opens.
    void setFileChooser(FileDialogs::Chooser chooser);

    // ---- replaying recordings (ApplicationReplay.cpp) ----
    /// The open replay's state and controls for the window.
    ReplayController* replay() const { return m_replay; }
    /// A recording plays as the current link: the data pages show it, the device pages
    /// are closed to it.
    bool replayActive() const;
    /// "打开记录": asks for a recording (".txt" message log or ".bin" raw capture) and
    /// opens it; false when none was chosen or it cannot be replayed.
    Q_INVOKABLE bool openReplayFile();
    /// Replays path from its start, as the current link. The current device's link is
    /// closed first, as when entering another device; a recording in progress ends.
    Q_INVOKABLE bool openReplay(const QString& path);
    /// Ends the replay; the current device is current again, unconnected.
    Q_INVOKABLE void closeReplay();

    // ---- forwarding records to other programs (ApplicationForward.cpp) ----
    /// The outputs that hand every decoded record on (UDP JSON, NMEA over TCP), live or
    /// replayed; their choice is remembered in the settings.
    Forwarder* forward() const { return m_forward; }

signals:
    void currentNavChanged();
    void connectHintChanged();
    void statsTick();
    void serialPortsChanged();
    void serialBaudRatesChanged();
    void connectingChanged();
    void logChanged();
    void logAppended(QString chunk);
    void logSynced(QString full);
    void logViewCleared();
    void logHexModeChanged();
    void lastErrorChanged();
    void userNoticeChanged();
    void pollMsChanged();
    void logPausedChanged();
    void sendHistoryChanged();
    void timedSendMsChanged();
    void detectHintChanged();
    void searchingChanged();
    void detectingPortChanged();
    void detectPortFinished(bool ok, QString port, int baud);
    void pendingConnectChanged();
    void deviceAliasChanged();
    void contextLinkTextChanged();
    void currentManagedConnectedChanged();
    void managedDeviceLinkChanged();
    void globalStatusTextChanged();
    void factoryReadbackActiveChanged();
    void insConfigReportedChanged();
    void serialBaudChanged();
    void upgradeFileChanged();
    void reconnectingChanged();
    void upgradeResetModeChanged();
    void lastRecordingChanged();
    void languageChanged();

private:
    // core
    void onStatsTimer();
    void onTriggerTimer();
    /// Reports an operation whose implementation is not part of this build: false, with
    /// a lastError that names it.
    bool reportUnavailable(const char* operation);
    void wireServices();
    void setUpRelays();

    // navigation
    void registerProducts();
    /// Tells, once the window listens, what start-up could not read of gcs.ini and where
    /// the copy of the file went.
    void tellUnreadableSettings();
    void applyProductSwitch(const QString& id);

    // connections
    /// Replaces the session of this id (or, without keepOthers, every session) by a new
    /// one around transport and opens it; false when the link did not open.
    bool openSession(const QString& id, const QString& label, std::unique_ptr<ITransport> transport,
                     bool keepOthers);
    void bindSession(Session* session);
    /// The id a new link of the current device gets: the managed id, else "primary".
    QString linkSessionId() const;
    void routeReceived(const QString& sessionId, const QByteArray& chunk);
    /// connectHintChanged, contextLinkTextChanged and currentManagedConnectedChanged.
    void emitLinkTextsChanged();
    /// Marks the telemetry offline and drops half-parsed input: the data that follows
    /// belongs to another link, device or page.
    void resetTelemetry();
    void applyManagedDevice(const QString& id);
    void afterManagedConnectionEdited(const QString& id);
    void setDeviceAlias(const QString& alias);
    /// False (with lastError) for a network port outside 0 to 65535.
    bool checkNetPort(int port);
    /// The current device's serial session reported its link lost: wait for it to come
    /// back when the setting says so.
    void onLinkLost(const QString& sessionId);
    /// One attempt of the wait, at most one a second and never two at once.
    void reconnectTick();
    /// Ends a wait for a lost link, if one runs.
    void stopReconnect();

    // discovery
    /// Sets detectHint and what it speaks of.
    void setDetectHint(LiveText hint, DiscoveryState::HintKind kind);
    /// The same for a fixed text marked with QT_TR_NOOP, translated when read.
    void setDetectHint(const char* source, DiscoveryState::HintKind kind);
    /// Bare names of the ports in serialPorts, in list order.
    QStringList listedPortNames() const;
    /// Probes the port of portText at baud on a worker thread and opens the serial
    /// session when a unit answers; a result that comes back after another connect, a
    /// disconnect or a change of device is dropped. A request for the port and baud of a
    /// check still waiting or running joins that check; the probe starts once no other
    /// probe holds the port (a check at another rate and a detection are ended for it, a
    /// search is waited for). A quiet check (an attempt of the automatic reconnect) neither
    /// shows the connecting state nor reports a failure, and ends no detection.
    void beginSerialConnectAsync(const QString& portText, int baud, bool quiet = false);
    /// Starts the probe of every waiting check whose port no other probe holds.
    void startWaitingChecks();
    /// Applies what the probe of a check found.
    void finishLinkCheck(int checkId, SerialProbe::LinkOutcome outcome);
    bool openSerialAfterProbe(const QString& portText, int baud, const QString& port,
                              bool quiet = false);
    /// Runs work on the global thread pool and done(result) on the GUI thread afterwards,
    /// unless the controller is gone by then. The run is listed with the ports it may open
    /// and its stop request until its result is applied.
    template<typename T, typename Work, typename Done>
    void runProbe(DiscoveryState::ProbeKind kind, const QStringList& ports,
                  const ProbeCancel& cancel, Work work, Done done);
    void finishAutoSearch(const QList<AutoSearchHit>& hits);

    // console log
    /// Appends a text block to the log and announces it.
    void commitLog(const QString& text);
    /// Renders one batch of received INS bytes; a backlog drains batch by batch, one per
    /// turn of the event loop.
    void flushInsLogBatch(bool force);
    void appendLogOnePacket(const QByteArray& frame);

    // sending
    void timedSendTick();

    // recording
    /// Reports what the recorder's start ran into; passes started through.
    bool startRecordingChecked(bool started);
    void wireRecordingExport();
    void wireNoiseAnalysis();

    // upgrade
    void wireUpgradeFlow();

    // replay
    void wireReplay();
    /// The session of the replay while one plays.
    Session* replaySession() const;
    /// Everything a replay changed goes back to the live state (also when its session
    /// went without closeReplay).
    void endReplayState();

    // forwarding
    void wireForwarding();

    // configuration pages
    void enterInsUserConfigPage();
    void syncInsNavOutForNav(const QString& navId);
    bool sendVornNavOutCommand(bool on);
    /// Why a catalog command must not go out with these arguments (an axis triple that is
    /// mirrored or repeats a body axis), or an empty text.
    QString configCommandRefusal(const QString& key, const QStringList& args) const;
    void wireConfigReadbacks();
    void noteConfigReported(const QString& name);
    QString chooseFile(FileDialogs::Kind kind, const QString& title, const QString& filter);
    /// lastError for a calibration or compensation file that gave nothing to use.
    void reportUnusableFile(const QString& what, const QString& path, bool invalidUtf8);
    /// The end of work that ran in the background: a notice when it succeeded or was
    /// cancelled, else an error; after a success, warning (the file broke off) as an error.
    void reportWorkEnded(bool ok, bool cancelled, const QString& message,
                         const QString& warning = QString());

    // services, created in this order with the controller as parent
    ProductRegistry* m_products = nullptr;
    ManagedDevices* m_managedDevices = nullptr;
    SessionManager* m_sessions = nullptr;
    TelemetryHub* m_hub = nullptr;
    AppSettings* m_settings = nullptr;
    Recorder* m_recorder = nullptr;
    YModem* m_ymodem = nullptr;
    CommandCatalog* m_catalog = nullptr;
    InsBridge* m_ins = nullptr;
    UiConfig* m_uiConfig = nullptr;
    ChartClock* m_chartClock = nullptr;
    QPointer<QQmlEngine> m_qmlEngine;

    // core state
    QString m_lastError;
    QString m_userNotice;
    int m_pollMs = 0;
    QString m_currentNav;
    ControllerClocks m_clocks;
    QTimer* m_statsTimer = nullptr;
    QTimer* m_logFlushTimer = nullptr;
    QTimer* m_pollTimer = nullptr;
    QTimer* m_timedSendTimer = nullptr;
    QTimer* m_triggerTimer = nullptr;

    // state of the operation groups
    bool m_connecting = false;
    /// A session's byte counts changed since the last statsTick (shown on the hub's tick).
    bool m_linkStatsUnshown = false;
    QString m_deviceAlias;
    PendingConnect m_pending;
    int m_connectGeneration = 0;
    /// Generation of the pre-connect check started last.
    int m_latestCheckGeneration = 0;
    ReconnectWait m_reconnect;
    QTimer* m_reconnectTimer = nullptr;
    DiscoveryState m_discovery;
    SendState m_send;
    ConsoleLog m_log;
    bool m_logDrainQueued = false;
    UpgradeFlow* m_upgradeFlow = nullptr;
    ConfigPageState m_configPages;
    CaptureExportTask* m_captureExport = nullptr;
    NoiseAnalysisTask* m_noise = nullptr;
    ReplayController* m_replay = nullptr;
    Forwarder* m_forward = nullptr;
    /// The packet rate last measured on a live link: the record rate of a replayed
    /// capture without time tags.
    int m_liveRecordRate = 0;
};

} // namespace gcs
