#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantMap>

namespace gcs {

/// The message part of an INS message-log line: a message whose bytes begin with "#vorn"
/// is shown as its UTF-8 text, anything else (a binary frame) as lower-case hexadecimal
/// pairs separated by single blanks.
QString insMessageText(const QByteArray& message);

/// A field map as key, keyValue, value in ascending key order, the pairs separated by
/// between, each value converted to text.
QString fieldsText(const QVariantMap& fields, QChar keyValue, QChar between);

/// A snapshot's field map as "key=value" pairs in ascending key order, separated by
/// single blanks, each value converted to text.
inline QString snapshotFieldsText(const QVariantMap& fields)
{
    return fieldsText(fields, QLatin1Char('='), QLatin1Char(' '));
}

} // namespace gcs
