#include "discovery/SerialPortListing.h"

#include <QSerialPortInfo>

namespace gcs {

QList<SerialPortListing> platformSerialPorts()
{
    QList<SerialPortListing> ports;
    const QList<QSerialPortInfo> infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo& info : infos)
        ports.append(SerialPortListing { info.portName(), info.description() });
    return ports;
}

} // namespace gcs
