#include "catalog/AppSettings.h"

#include "catalog/CatalogLog.h"
#include "catalog/KeptCopy.h"
#include "catalog/SettingsKeys.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QVariantList>

namespace gcs {

namespace keys = settingskeys;

namespace {

const char* const kDefaultTheme = "航天国防蓝";
const char* const kDefaultLanguage = "zh_CN";
const char* const kEnglish = "en";
constexpr int kDefaultBaud = 115200;
constexpr int kDefaultChartWindowSec = 16;

// Makes sure the folder of the file exists before QSettings first tries to write it.
QString preparedFilePath()
{
    const QString path = AppSettings::defaultFilePath();
    const QString dir = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(dir))
        qCWarning(lcCatalog) << "cannot create the settings folder" << dir;
    return path;
}

// Writes key only when the stored value (read with its default) differs.
template<typename T>
bool storeIfChanged(QSettings& store, QLatin1String key, const T& value, const T& fallback)
{
    if (store.value(key, QVariant::fromValue(fallback)).template value<T>() == value)
        return false;
    store.setValue(key, QVariant::fromValue(value));
    return true;
}

} // namespace

AppSettings::AppSettings(QObject* parent)
    : QObject(parent)
    , m_store(preparedFilePath(), QSettings::IniFormat)
{
    // A file that holds something but yields no key (or a broken section) is not ours to
    // read. The next write rewrites it from the keys that could be read and drops the
    // rest, so the original is kept beside it for the user.
    const bool unreadable = m_store.status() == QSettings::FormatError
        || (QFileInfo(m_store.fileName()).size() > 0 && m_store.allKeys().isEmpty());
    if (unreadable) {
        m_unreadableCopy = KeptCopy::of(m_store.fileName(), QStringLiteral(".bad"));
        qCWarning(lcCatalog).noquote()
            << "settings file" << m_store.fileName()
            << "is not a valid INI file; unreadable parts fall back to their defaults"
            << (m_unreadableCopy.path.isEmpty()
                    ? QString()
                    : QStringLiteral("(original kept as %1)").arg(m_unreadableCopy.path));
    }
}

AppSettings::~AppSettings() = default;

QString AppSettings::defaultFilePath()
{
    QString base = qEnvironmentVariable("LOCALAPPDATA");
    if (base.isEmpty())
        base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return base + QStringLiteral("/TelvoMonitor/gcs.ini");
}

const QList<int>& AppSettings::builtInSerialBauds()
{
    // 380400 is the rate the devices use, not the common 384000.
    static const QList<int> kBauds { 9600, 19200, 115200, 230400, 380400, 460800 };
    return kBauds;
}

QString AppSettings::lastPort() const
{
    return m_store.value(keys::kPort, QString()).toString();
}

int AppSettings::lastBaud() const
{
    return m_store.value(keys::kBaud, kDefaultBaud).toInt();
}

QString AppSettings::theme() const
{
    return m_store.value(keys::kTheme, QString::fromUtf8(kDefaultTheme)).toString();
}

QString AppSettings::lastProductId() const
{
    return m_store.value(keys::kProduct, QStringLiteral("ins")).toString();
}

QString AppSettings::deviceAlias() const
{
    return m_store.value(keys::kDeviceAlias, QString()).toString();
}

bool AppSettings::reduceMotion() const
{
    return m_store.value(keys::kReduceMotion, false).toBool();
}

int AppSettings::chartWindowSec() const
{
    return m_store.value(keys::kChartWindowSec, kDefaultChartWindowSec).toInt();
}

bool AppSettings::autoReconnect() const
{
    return m_store.value(keys::kAutoReconnect, true).toBool();
}

QString AppSettings::language() const
{
    const QString stored = m_store.value(keys::kLanguage).toString();
    return stored == QLatin1String(kEnglish) ? stored : QString::fromLatin1(kDefaultLanguage);
}

void AppSettings::setLastPort(const QString& port)
{
    if (storeIfChanged(m_store, keys::kPort, port, QString()))
        emit lastPortChanged();
}

void AppSettings::setLastBaud(int baud)
{
    if (storeIfChanged(m_store, keys::kBaud, baud, kDefaultBaud))
        emit lastBaudChanged();
}

void AppSettings::setTheme(const QString& theme)
{
    if (storeIfChanged(m_store, keys::kTheme, theme, QString::fromUtf8(kDefaultTheme)))
        emit themeChanged();
}

void AppSettings::setLastProductId(const QString& productId)
{
    if (storeIfChanged(m_store, keys::kProduct, productId, QStringLiteral("ins")))
        emit lastProductIdChanged();
}

void AppSettings::setDeviceAlias(const QString& alias)
{
    if (storeIfChanged(m_store, keys::kDeviceAlias, alias, QString()))
        emit deviceAliasChanged();
}

void AppSettings::setReduceMotion(bool on)
{
    if (storeIfChanged(m_store, keys::kReduceMotion, on, false))
        emit reduceMotionChanged();
}

void AppSettings::setChartWindowSec(int seconds)
{
    const int clamped = qBound(kMinChartWindowSec, seconds, kMaxChartWindowSec);
    if (storeIfChanged(m_store, keys::kChartWindowSec, clamped, kDefaultChartWindowSec))
        emit chartWindowSecChanged();
}

void AppSettings::setAutoReconnect(bool on)
{
    if (storeIfChanged(m_store, keys::kAutoReconnect, on, true))
        emit autoReconnectChanged();
}

void AppSettings::setLanguage(const QString& code)
{
    const QString value
        = QString::fromLatin1(code == QLatin1String(kEnglish) ? kEnglish : kDefaultLanguage);
    if (value == language())
        return;
    m_store.setValue(keys::kLanguage, value);
    emit languageChanged();
}

QList<int> AppSettings::customSerialBauds() const
{
    QList<int> bauds;
    const QVariantList stored = m_store.value(keys::kCustomSerialBauds).toList();
    for (const QVariant& v : stored) {
        const int baud = v.toInt();
        if (baud >= 1 && !bauds.contains(baud))
            bauds.append(baud);
    }
    return bauds;
}

void AppSettings::setCustomSerialBaudsList(const QList<int>& bauds)
{
    QVariantList stored;
    stored.reserve(bauds.size());
    for (int baud : bauds)
        stored.append(baud);
    m_store.setValue(keys::kCustomSerialBauds, stored);
}

bool AppSettings::addCustomSerialBaud(int baud)
{
    if (baud < kMinCustomBaud || baud > kMaxCustomBaud || builtInSerialBauds().contains(baud))
        return false;
    QList<int> bauds = customSerialBauds();
    if (bauds.contains(baud))
        return false;
    bauds.append(baud);
    setCustomSerialBaudsList(bauds);
    emit customSerialBaudsChanged();
    return true;
}

bool AppSettings::removeCustomSerialBaud(int baud)
{
    QList<int> bauds = customSerialBauds();
    if (bauds.removeAll(baud) == 0)
        return false;
    setCustomSerialBaudsList(bauds);
    emit customSerialBaudsChanged();
    return true;
}

bool AppSettings::isCustomSerialBaud(int baud) const
{
    return customSerialBauds().contains(baud);
}

void AppSettings::flushToDisk()
{
    m_store.sync();
}

} // namespace gcs
