#include "ins/InsLogText.h"

namespace gcs {

QString insMessageText(const QByteArray& message)
{
    if (message.startsWith("#vorn"))
        return QString::fromUtf8(message);
    return QString::fromLatin1(message.toHex(' '));
}

QString fieldsText(const QVariantMap& fields, QChar keyValue, QChar between)
{
    // QVariantMap iterates in ascending key order.
    QString text;
    for (auto it = fields.cbegin(); it != fields.cend(); ++it) {
        if (!text.isEmpty())
            text += between;
        text += it.key();
        text += keyValue;
        text += it.value().toString();
    }
    return text;
}

} // namespace gcs
