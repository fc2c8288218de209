// Device side of the configuration pages: the navigation output that follows the page
// shown, reading the user configuration back, the factory read-back; and the files of
// those pages (gyro calibration, compensation text, plain text) with their dialogs.

#include "app/Application.h"

#include "app/AxisTriple.h"
#include "app/CalibrationDat.h"
#include "app/CompensationFile.h"
#include "app/TextFile.h"
#include "catalog/ProductRegistry.h"
#include "ins/InsBridge.h"
#include "ins/RecDataModel.h"
#include "ins/TelemetryHub.h"
#include "link/Session.h"
#include "upgrade/YModem.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>

namespace gcs {

namespace {

const char* const kNavOutOn = "#vorn,start com1*ff\r\n";
const char* const kNavOutOff = "#vorn,stop com1*ff\r\n";
/// The unit needs a moment after "stop com1" before it answers a query cleanly.
constexpr int kUserConfigReadDelayMs = 400;

bool isIns(const ProductRegistry* products)
{
    return products->currentProductId() == QLatin1String("ins");
}

} // namespace

// ---- navigation output ---------------------------------------------------------------------

bool Application::sendVornNavOutCommand(bool on)
{
    Session* session = commandSession();
    if (!session || !session->isConnected()) {
        setUserNotice(QString());
        setError(tr("请先连接设备后再切换导航输出"));
        return false;
    }
    // The boot loader owns the line during a transfer; a command would land in the image.
    if (m_ymodem->busy()) {
        setError(tr("固件升级进行中"));
        return false;
    }
    if (m_configPages.navOutput == on) {
        setError(QString());
        return true;
    }
    const QByteArray bytes(on ? kNavOutOn : kNavOutOff);
    const bool sent = session->send(bytes);
    if (sent) {
        setError(QString());
        m_userNotice = on ? tr("打开导航输出（%1）").arg(QStringLiteral("#vorn,start com1*ff"))
                          : tr("关闭导航输出（%1）").arg(QStringLiteral("#vorn,stop com1*ff"));
        m_configPages.navOutput = on;
        noteInsBytesSent(int(bytes.size()));
        appendCommandTrace(bytes);
    } else {
        m_userNotice.clear();
        setError(tr("导航输出指令发送失败，请检查串口"));
    }
    emit userNoticeChanged();
    return sent;
}

void Application::syncInsNavOutForNav(const QString& navId)
{
    if (!isIns(m_products) || m_ymodem->busy())
        return;
    if (Session* s = currentManagedSession(); !s || !s->isConnected())
        return;
    static const QStringList live { QStringLiteral("attitude"), QStringLiteral("charts"),
                                    QStringLiteral("track"),    QStringLiteral("message"),
                                    QStringLiteral("stats"),    QStringLiteral("record") };
    static const QStringList quiet { QStringLiteral("user_config"),
                                     QStringLiteral("factory_config"), QStringLiteral("upgrade") };
    if (live.contains(navId))
        sendVornNavOutCommand(true);
    else if (quiet.contains(navId))
        sendVornNavOutCommand(false);
}

void Application::enterInsUserConfigPage()
{
    if (m_ymodem->busy())
        return;
    if (Session* s = currentManagedSession(); !s || !s->isConnected())
        return;
    m_hub->markOffline();
    m_ins->resetParseBuffer();
    sendVornNavOutCommand(false);
    QTimer::singleShot(kUserConfigReadDelayMs, this, [this]() {
        if (!isIns(m_products) || m_ymodem->busy())
            return;
        if (Session* s = currentManagedSession(); s && s->isConnected())
            sendCommand(QStringLiteral("get_com1"));
    });
}

QString Application::configCommandRefusal(const QString& key, const QStringList& args) const
{
    if (key == QLatin1String("vorn.set_axis") && !AxisTriple::isValid(args))
        return AxisTriple::refusalText();
    return QString();
}

// ---- reading the configuration back ------------------------------------------------------

void Application::readInsUserConfig()
{
    if (!isIns(m_products))
        return;
    if (Session* s = currentManagedSession(); !s || !s->isConnected()) {
        setError(tr("未连接"));
        return;
    }
    m_hub->markOffline();
    m_ins->resetParseBuffer();
    for (const char* id : { "get_softver", "get_com1", "get_axis", "get_gnss", "get_extrap_time" })
        sendCommand(QString::fromLatin1(id));
}

void Application::startFactoryReadback()
{
    if (!m_configPages.factoryReadbackActive) {
        m_configPages.factoryReadbackActive = true;
        emit factoryReadbackActiveChanged();
    }
    m_ins->clearFactoryRaw();
}

void Application::stopFactoryReadback()
{
    if (m_configPages.factoryReadbackActive) {
        m_configPages.factoryReadbackActive = false;
        emit factoryReadbackActiveChanged();
    }
}

// The bridge publishes the GNSS heading offset and the extrapolation time as plain numbers
// that start at 0, so a 0 alone cannot tell "the unit said 0" from "nothing asked yet".
// The decoder's own signals say which reply arrived.
void Application::wireConfigReadbacks()
{
    connect(m_ins->model(), &RecDataModel::newConfig_dyawGNSS, this,
            [this](double) { noteConfigReported(QStringLiteral("gnssYaw")); });
    connect(m_ins->model(), &RecDataModel::newConfigExtrapTime, this,
            [this](double) { noteConfigReported(QStringLiteral("extrapMs")); });
}

void Application::noteConfigReported(const QString& name)
{
    if (m_configPages.reported.contains(name))
        return;
    m_configPages.reported << name;
    emit insConfigReportedChanged();
}

// ---- files -------------------------------------------------------------------------------

QString Application::readTextFile(const QString& path)
{
    QString text;
    QString why;
    if (!TextFile::read(path, &text, &why)) {
        setError(why);
        return QString();
    }
    return text;
}

bool Application::writeTextFile(const QString& path, const QString& content)
{
    QString why;
    if (!TextFile::write(path, content, &why)) {
        setError(why);
        return false;
    }
    setError(QString());
    setUserNotice(tr("已保存：%1").arg(QDir::toNativeSeparators(path)));
    return true;
}

void Application::reportUnusableFile(const QString& what, const QString& path, bool invalidUtf8)
{
    QString text = what.arg(QFileInfo(path).fileName());
    if (invalidUtf8)
        text += tr("（文件不是 UTF-8 编码，请另存为 UTF-8 后重试）");
    setError(text);
}

QVariantMap Application::parseCompensateDatFile(const QString& path)
{
    QString text;
    QString why;
    bool invalidUtf8 = false;
    if (!TextFile::read(path, &text, &why, &invalidUtf8)) {
        setError(why);
        return QVariantMap();
    }
    QStringList outOfRange;
    const QVariantMap values = CalibrationDat::parse(text, &outOfRange);
    // A record with one value the unit cannot take is no calibration: nothing of it is
    // copied, so the fields never mix two records.
    if (!outOfRange.isEmpty()) {
        setError(tr("标定数据超出数值范围，未导入：%1（%2）")
                     .arg(outOfRange.join(tr("、")), QFileInfo(path).fileName()));
        return QVariantMap();
    }
    if (values.isEmpty()) {
        reportUnusableFile(tr("文件中没有可识别的标定数据：%1"), path, invalidUtf8);
        return values;
    }
    setError(QString());
    setUserNotice(
        tr("已读取标定数据 %n 项：%1", "", int(values.size())).arg(QFileInfo(path).fileName()));
    return values;
}

QVariantMap Application::readCompensateFileBundle(const QString& path)
{
    QString text;
    QString why;
    bool invalidUtf8 = false;
    if (!TextFile::read(path, &text, &why, &invalidUtf8)) {
        setError(why);
        return QVariantMap();
    }
    const QVariantMap bundle = CompensationFile::bundle(text);
    if (bundle.isEmpty()) {
        reportUnusableFile(tr("补偿文件为空：%1"), path, false);
        return bundle;
    }
    // The text is shown either way; lines with characters that did not decode would not
    // go out as they stand in the file, so the user hears about it.
    if (invalidUtf8) {
        reportUnusableFile(tr("补偿文件含有无法识别的字符：%1"), path, true);
        return bundle;
    }
    setError(QString());
    setUserNotice(tr("已打开补偿文件：%1").arg(QFileInfo(path).fileName()));
    return bundle;
}

// ---- dialogs -----------------------------------------------------------------------------

void Application::setFileChooser(FileDialogs::Chooser chooser)
{
    m_configPages.fileChooser = std::move(chooser);
}

QString Application::chooseFile(FileDialogs::Kind kind, const QString& title, const QString& filter)
{
    if (m_configPages.fileChooser)
        return m_configPages.fileChooser(kind, title, filter);
    return FileDialogs::platform(kind, title, filter);
}

QString Application::pickOpenFile(const QString& title, const QString& filter)
{
    return chooseFile(FileDialogs::Kind::Open, title, filter);
}

QString Application::pickSaveFile(const QString& title, const QString& filter)
{
    return chooseFile(FileDialogs::Kind::Save, title, filter);
}

QString Application::pickDirectory(const QString& title)
{
    return chooseFile(FileDialogs::Kind::Directory, title, QString());
}

} // namespace gcs
