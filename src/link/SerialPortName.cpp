#include "link/SerialPortName.h"

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

} // namespace gcs
