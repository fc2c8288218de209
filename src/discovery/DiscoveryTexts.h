#pragma once

#include <QCoreApplication>
#include <QString>

namespace gcs::discoverytext {

// Outcome texts of probing that both the window and the command-line tool show. A port
// is whatever the user typed, "%2" included, so each text is filled in one arg() call:
// chained calls would fill a "%2" inside the port with the baud.

/// The check before a serial connection found no device at this port and baud.
inline QString linkCheckFailed(const QString& port, int baud)
{
    return QCoreApplication::translate(
               "gcs::DiscoveryTexts",
               "「%1 @ %2」通信数据与设备不匹配或未收到有效响应，请核对波特率、接线与纳管型号")
        .arg(port, QString::number(baud));
}

/// The port is not there (unplugged, mistyped): no baud or wiring would help.
inline QString portMissing(const QString& port)
{
    return QCoreApplication::translate("gcs::DiscoveryTexts",
                                       "串口「%1」不存在，请核对端口名或重新插好串口线")
        .arg(port);
}

/// The check before a serial connection could not open the port: someone else holds it.
inline QString linkCheckPortBusy(const QString& port)
{
    return QCoreApplication::translate(
               "gcs::DiscoveryTexts",
               "串口「%1」已被占用，无法检测设备，请关闭占用该串口的程序后重试")
        .arg(port);
}

/// Port detection found no answering port and baud.
inline QString detectNoMatch()
{
    return QCoreApplication::translate("gcs::DiscoveryTexts", "未匹配到设备响应，请检查接线与电源");
}

/// Port detection found port at baud.
inline QString detectMatched(const QString& port, int baud)
{
    return QCoreApplication::translate("gcs::DiscoveryTexts", "已匹配 %1 @ %2")
        .arg(port, QString::number(baud));
}

} // namespace gcs::discoverytext
