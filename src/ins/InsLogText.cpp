#include "ins/InsLogText.h"

namespace gcs {

QString insMessageText(const QByteArray& message)
{
    if (message.startsWith("#vorn"))
        return QString::fromUtf8(message);
    return QString::fromLatin1(message.toHex(' '));
}

QString snapshotFieldsText(const QVariantMap& fields)
{
    // QVariantMap iterates in ascending key order.
    QString text;
    for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
        if (!text.isEmpty())
            text += QLatin1Char(' ');
        text += it.key();
        text += QLatin1Char('=');
        text += it.value().toString();
    }
    return text;
}

} // namespace gcs
