#pragma once

#include "catalog/KeptCopy.h"

#include <QList>
#include <QObject>
#include <QSettings>
#include <QString>

namespace gcs {

/// The program's one settings file, "gcs.ini", and the user preferences stored in it.
/// Nothing is cached: every getter reads the store and every setter writes it, so the
/// file is the only copy of each value. The managed-device list shares the store.
class AppSettings : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString lastPort READ lastPort WRITE setLastPort NOTIFY lastPortChanged)
    Q_PROPERTY(int lastBaud READ lastBaud WRITE setLastBaud NOTIFY lastBaudChanged)
    Q_PROPERTY(QString theme READ theme WRITE setTheme NOTIFY themeChanged)
    Q_PROPERTY(
        QString lastProductId READ lastProductId WRITE setLastProductId NOTIFY lastProductIdChanged)
    Q_PROPERTY(QString deviceAlias READ deviceAlias WRITE setDeviceAlias NOTIFY deviceAliasChanged)
    Q_PROPERTY(bool reduceMotion READ reduceMotion WRITE setReduceMotion NOTIFY reduceMotionChanged)
    Q_PROPERTY(
        int chartWindowSec READ chartWindowSec WRITE setChartWindowSec NOTIFY chartWindowSecChanged)
    Q_PROPERTY(
        bool autoReconnect READ autoReconnect WRITE setAutoReconnect NOTIFY autoReconnectChanged)
    Q_PROPERTY(QString language READ language WRITE setLanguage NOTIFY languageChanged)
public:
    static constexpr int kMinCustomBaud = 300;
    static constexpr int kMaxCustomBaud = 3000000;
    static constexpr int kMinChartWindowSec = 8;
    static constexpr int kMaxChartWindowSec = 120;

    explicit AppSettings(QObject* parent = nullptr);
    ~AppSettings() override;

    /// Where the file lives: LOCALAPPDATA, or the generic data location when that is
    /// unset or empty, followed by "/TelvoMonitor/gcs.ini".
    static QString defaultFilePath();
    /// The serial rates every port list offers; they can never be added as custom rates.
    static const QList<int>& builtInSerialBauds();

    QString filePath() const { return m_store.fileName(); }
    /// The underlying store, shared with the managed-device list and the controller.
    QSettings* store() { return &m_store; }
    /// The file was not a valid INI file when read: its original is kept beside it
    /// (".bad"), since the next write rebuilds it from the keys that could be read.
    const KeptCopy& unreadableCopy() const { return m_unreadableCopy; }

    QString lastPort() const;
    int lastBaud() const;
    QString theme() const;
    QString lastProductId() const;
    QString deviceAlias() const;
    bool reduceMotion() const;
    int chartWindowSec() const;
    /// On (the default): a serial link lost by unplugging is opened again by itself.
    bool autoReconnect() const;
    /// "zh_CN" (the default, whatever the system's locale) or "en"; any other stored value
    /// reads as "zh_CN".
    QString language() const;

    void setLastPort(const QString& port);
    void setLastBaud(int baud);
    void setTheme(const QString& theme);
    void setLastProductId(const QString& productId);
    void setDeviceAlias(const QString& alias);
    void setReduceMotion(bool on);
    void setChartWindowSec(int seconds);
    void setAutoReconnect(bool on);
    /// Stores "en" for "en" and "zh_CN" for anything else.
    void setLanguage(const QString& code);

    /// The stored custom rates in stored order, without values below 1 and repeats.
    QList<int> customSerialBauds() const;
    /// Stores the list as it is; emits nothing.
    void setCustomSerialBaudsList(const QList<int>& bauds);
    Q_INVOKABLE bool addCustomSerialBaud(int baud);
    Q_INVOKABLE bool removeCustomSerialBaud(int baud);
    Q_INVOKABLE bool isCustomSerialBaud(int baud) const;

    /// Writes pending changes to the file now.
    void flushToDisk();

signals:
    void lastPortChanged();
    void lastBaudChanged();
    void themeChanged();
    void lastProductIdChanged();
    void deviceAliasChanged();
    void reduceMotionChanged();
    void chartWindowSecChanged();
    void autoReconnectChanged();
    void languageChanged();
    void customSerialBaudsChanged();

private:
    QSettings m_store;
    KeptCopy m_unreadableCopy;
};

} // namespace gcs
