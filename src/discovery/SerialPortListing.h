#pragma once

#include <QList>
#include <QString>

namespace gcs {

/// One serial port as the platform lists it: its name (COM3, ttyUSB0) and description.
struct SerialPortListing
{
    QString name;
    QString description;

    /// "name  description", the form the port lists of the window show (the two blanks
    /// stay when the description is empty).
    QString displayText() const { return name + QStringLiteral("  ") + description; }
};

/// The serial ports of this computer, in the platform's order. Pseudo-terminals are not
/// among them on Linux.
QList<SerialPortListing> platformSerialPorts();

} // namespace gcs
