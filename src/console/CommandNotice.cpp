#include "console/CommandNotice.h"

#include <QCoreApplication>

namespace gcs {

namespace {

struct Label
{
    const char* command;
    const char* label; ///< a source text, translated where the notice is written
};

const Label kLabels[] = {
    { "reset_user_flash", QT_TRANSLATE_NOOP("gcs::CommandNotice", "复位用户存储") },
    { "get_softver", QT_TRANSLATE_NOOP("gcs::CommandNotice", "读固件版本") },
    { "get_system_state", QT_TRANSLATE_NOOP("gcs::CommandNotice", "读系统状态") },
    { "get_com1", QT_TRANSLATE_NOOP("gcs::CommandNotice", "读串口1") },
    { "set_com1", QT_TRANSLATE_NOOP("gcs::CommandNotice", "设串口1") },
    { "save_config", QT_TRANSLATE_NOOP("gcs::CommandNotice", "保存用户配置") },
    { "save_factory_config", QT_TRANSLATE_NOOP("gcs::CommandNotice", "保存出厂配置") },
    { "stop_com1", QT_TRANSLATE_NOOP("gcs::CommandNotice", "关闭导航输出") },
    { "start_com1", QT_TRANSLATE_NOOP("gcs::CommandNotice", "打开导航输出") },
    { "reset_system", QT_TRANSLATE_NOOP("gcs::CommandNotice", "系统复位") },
    { "get_axis", QT_TRANSLATE_NOOP("gcs::CommandNotice", "读安装轴向") },
    { "set_axis", QT_TRANSLATE_NOOP("gcs::CommandNotice", "设安装轴向") },
    { "get_gnss", QT_TRANSLATE_NOOP("gcs::CommandNotice", "读 GNSS 航向补偿") },
    { "set_gnss", QT_TRANSLATE_NOOP("gcs::CommandNotice", "设 GNSS 航向补偿") },
    { "get_extrap_time", QT_TRANSLATE_NOOP("gcs::CommandNotice", "读外插时间") },
    { "set_extrap_time", QT_TRANSLATE_NOOP("gcs::CommandNotice", "设外插时间") },
    { "reset_flash_info", QT_TRANSLATE_NOOP("gcs::CommandNotice", "复位 Flash 信息") },
    { "get_align_time", QT_TRANSLATE_NOOP("gcs::CommandNotice", "读对准时间") },
    { "set_align_time", QT_TRANSLATE_NOOP("gcs::CommandNotice", "设对准时间") },
    { "get_position", QT_TRANSLATE_NOOP("gcs::CommandNotice", "读导航位置") },
    { "set_position", QT_TRANSLATE_NOOP("gcs::CommandNotice", "设导航位置") },
    { "get_factory", QT_TRANSLATE_NOOP("gcs::CommandNotice", "读出厂参数") },
    { "set_factory", QT_TRANSLATE_NOOP("gcs::CommandNotice", "设出厂参数") },
    { "get_gnm", QT_TRANSLATE_NOOP("gcs::CommandNotice", "读安装误差") },
    { "set_gnm", QT_TRANSLATE_NOOP("gcs::CommandNotice", "设安装误差") },
    { "correct_heading", QT_TRANSLATE_NOOP("gcs::CommandNotice", "航向校正") },
    { "get_device_info", QT_TRANSLATE_NOOP("gcs::CommandNotice", "读设备信息") },
    { "get_calib_imu", QT_TRANSLATE_NOOP("gcs::CommandNotice", "读 IMU 标定") },
    { "static_calib_imu", QT_TRANSLATE_NOOP("gcs::CommandNotice", "IMU 静态标定") },
    { "reset_calib_imu", QT_TRANSLATE_NOOP("gcs::CommandNotice", "复位 IMU 标定") },
    { "manual_trig_driftz", QT_TRANSLATE_NOOP("gcs::CommandNotice", "Z 轴漂移触发") },
    { "set_driftz", QT_TRANSLATE_NOOP("gcs::CommandNotice", "设 Z 轴漂移") },
    { "debug_open", QT_TRANSLATE_NOOP("gcs::CommandNotice", "打开调试输出") },
    { "debug_close", QT_TRANSLATE_NOOP("gcs::CommandNotice", "关闭调试输出") },
    { "set_device_info", QT_TRANSLATE_NOOP("gcs::CommandNotice", "设设备信息") },
};

const char* labelOf(const QString& name)
{
    for (const Label& row : kLabels) {
        if (name == QLatin1String(row.command))
            return row.label;
    }
    return nullptr;
}

} // namespace

QString commandUserNotice(const QString& name, const QByteArray& sent)
{
    const QString text = QString::fromUtf8(sent).trimmed();
    const char* label = labelOf(name);
    if (!label)
        return QCoreApplication::translate("gcs::CommandNotice", "已发送：%1").arg(text);
    return QCoreApplication::translate("gcs::CommandNotice", "%1（%2）")
        .arg(QCoreApplication::translate("gcs::CommandNotice", label), text);
}

} // namespace gcs
