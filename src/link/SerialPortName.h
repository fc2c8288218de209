#pragma once

#include <QString>

namespace gcs {

/// The port key of a port text as the user interface shows it ("COM3  USB-SERIAL CH340"):
/// the text before the first blank, trimmed. Every operation that takes a port text uses
/// only this key.
QString portKeyFromText(const QString& text);

/// The name to hand to the serial library for a port text: its key, with Windows ports
/// above COM9 written in the device namespace (COM12 -> \\.\COM12), which is the only
/// form under which Windows opens them. Other names (COM3, /dev/ttyUSB0) pass unchanged.
QString normalizedSerialPortName(const QString& name);

/// Whether the port of a port text is there at all: its device file (a bare name is
/// looked for in /dev, as the serial library does), or on Windows a port the system
/// lists. Tells a missing port from one where nothing answers.
bool serialPortExists(const QString& name);

} // namespace gcs
