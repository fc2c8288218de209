#include "link/SerialPortName.h"

#ifdef Q_OS_WIN
#include <QSerialPortInfo>

#include <algorithm>
#else
#include <QFileInfo>
#endif

namespace gcs {

QString portKeyFromText(const QString& text)
{
    const QString trimmed = text.trimmed();
    const qsizetype blank = trimmed.indexOf(QLatin1Char(' '));
    return (blank < 0 ? trimmed : trimmed.left(blank)).trimmed();
}

QString normalizedSerialPortName(const QString& name)
{
    const QString key = portKeyFromText(name);
    if (key.startsWith(QLatin1String("COM"), Qt::CaseInsensitive)) {
        bool isNumber = false;
        const int number = key.mid(3).toInt(&isNumber, 10);
        if (isNumber && number > 9)
            return QStringLiteral("\\\\.\\") + key;
    }
    return key;
}

bool serialPortExists(const QString& name)
{
    const QString key = portKeyFromText(name);
    if (key.isEmpty())
        return false;
#ifdef Q_OS_WIN
    const QString bare = key.startsWith(QLatin1String("\\\\.\\")) ? key.mid(4) : key;
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    return std::any_of(ports.cbegin(), ports.cend(), [&bare](const QSerialPortInfo& port) {
        return port.portName().compare(bare, Qt::CaseInsensitive) == 0;
    });
#else
    const bool path = key.startsWith(QLatin1Char('/')) || key.startsWith(QLatin1String("./"))
        || key.startsWith(QLatin1String("../"));
    return QFileInfo::exists(path ? key : QStringLiteral("/dev/") + key);
#endif
}

} // namespace gcs
