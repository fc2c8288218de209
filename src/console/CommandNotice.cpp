#include "console/CommandNotice.h"

#include <QHash>

namespace gcs {

namespace {

const QHash<QString, QString>& labels()
{
    static const QHash<QString, QString> table {
        { QStringLiteral("reset_user_flash"), QStringLiteral("复位用户存储") },
        { QStringLiteral("get_softver"), QStringLiteral("读固件版本") },
        { QStringLiteral("get_system_state"), QStringLiteral("读系统状态") },
        { QStringLiteral("get_com1"), QStringLiteral("读串口1") },
        { QStringLiteral("set_com1"), QStringLiteral("设串口1") },
        { QStringLiteral("save_config"), QStringLiteral("保存用户配置") },
        { QStringLiteral("save_factory_config"), QStringLiteral("保存出厂配置") },
        { QStringLiteral("stop_com1"), QStringLiteral("关闭导航输出") },
        { QStringLiteral("start_com1"), QStringLiteral("打开导航输出") },
        { QStringLiteral("reset_system"), QStringLiteral("系统复位") },
        { QStringLiteral("get_axis"), QStringLiteral("读安装轴向") },
        { QStringLiteral("set_axis"), QStringLiteral("设安装轴向") },
        { QStringLiteral("get_gnss"), QStringLiteral("读 GNSS 航向补偿") },
        { QStringLiteral("set_gnss"), QStringLiteral("设 GNSS 航向补偿") },
        { QStringLiteral("get_extrap_time"), QStringLiteral("读外插时间") },
        { QStringLiteral("set_extrap_time"), QStringLiteral("设外插时间") },
        { QStringLiteral("reset_flash_info"), QStringLiteral("复位 Flash 信息") },
        { QStringLiteral("get_align_time"), QStringLiteral("读对准时间") },
        { QStringLiteral("set_align_time"), QStringLiteral("设对准时间") },
        { QStringLiteral("get_position"), QStringLiteral("读导航位置") },
        { QStringLiteral("set_position"), QStringLiteral("设导航位置") },
        { QStringLiteral("get_factory"), QStringLiteral("读出厂参数") },
        { QStringLiteral("set_factory"), QStringLiteral("设出厂参数") },
        { QStringLiteral("get_gnm"), QStringLiteral("读安装误差") },
        { QStringLiteral("set_gnm"), QStringLiteral("设安装误差") },
        { QStringLiteral("correct_heading"), QStringLiteral("航向校正") },
        { QStringLiteral("get_device_info"), QStringLiteral("读设备信息") },
        { QStringLiteral("get_calib_imu"), QStringLiteral("读 IMU 标定") },
        { QStringLiteral("static_calib_imu"), QStringLiteral("IMU 静态标定") },
        { QStringLiteral("reset_calib_imu"), QStringLiteral("复位 IMU 标定") },
        { QStringLiteral("manual_trig_driftz"), QStringLiteral("Z 轴漂移触发") },
        { QStringLiteral("set_driftz"), QStringLiteral("设 Z 轴漂移") },
        { QStringLiteral("debug_open"), QStringLiteral("打开调试输出") },
        { QStringLiteral("debug_close"), QStringLiteral("关闭调试输出") },
        { QStringLiteral("set_device_info"), QStringLiteral("设设备信息") },
    };
    return table;
}

} // namespace

QString commandUserNotice(const QString& name, const QByteArray& sent)
{
    const QString text = QString::fromUtf8(sent).trimmed();
    const QString label = labels().value(name);
    if (label.isEmpty())
        return QStringLiteral("已发送：") + text;
    return label + QStringLiteral("（") + text + QStringLiteral("）");
}

} // namespace gcs
