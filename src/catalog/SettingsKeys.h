#pragma once

#include <QLatin1String>

namespace gcs::settingskeys {

// Every key of "gcs.ini". All keys live at the top level of the file (no groups); the
// managed-device list and the older single-device keys share the same store.

/// Last serial port; also the mirrored port of the current managed device.
inline constexpr QLatin1String kPort("port");
/// Last serial baud; also the mirrored baud of the current managed device.
inline constexpr QLatin1String kBaud("baud");
inline constexpr QLatin1String kTheme("theme");
/// Last product; also the mirrored product of the current managed device.
inline constexpr QLatin1String kProduct("product");
/// Alias of the current device.
inline constexpr QLatin1String kDeviceAlias("deviceAlias");
inline constexpr QLatin1String kReduceMotion("reduceMotion");
inline constexpr QLatin1String kChartWindowSec("chartWindowSec");
inline constexpr QLatin1String kCustomSerialBauds("customSerialBauds");
/// Whether a serial link that went away by itself is opened again once the port is back.
inline constexpr QLatin1String kAutoReconnect("autoReconnect");
/// The language of the window: "zh_CN" (the default) or "en".
inline constexpr QLatin1String kLanguage("language");
/// The managed-device list, a compact JSON array stored as a byte array.
inline constexpr QLatin1String kManagedDevices("managedDevices");
inline constexpr QLatin1String kCurrentManagedDeviceId("currentManagedDeviceId");
/// Forwarding records to other programs: whether each output is on, and its address.
inline constexpr QLatin1String kForwardUdpEnabled("forwardUdpEnabled");
inline constexpr QLatin1String kForwardUdpHost("forwardUdpHost");
inline constexpr QLatin1String kForwardUdpPort("forwardUdpPort");
inline constexpr QLatin1String kForwardNmeaEnabled("forwardNmeaEnabled");
inline constexpr QLatin1String kForwardNmeaHost("forwardNmeaHost");
inline constexpr QLatin1String kForwardNmeaPort("forwardNmeaPort");
inline constexpr QLatin1String kForwardNmeaRate("forwardNmeaRate");

} // namespace gcs::settingskeys
