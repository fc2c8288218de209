#pragma once

#include <QByteArray>
#include <QString>

namespace gcs {

// What the user types for the device, checked and turned into bytes. The window's raw
// console and telvo-cli share these, so both refuse the same input with the same words
// and frame what they accept in the same way.

/// The catalog key of a command id as the pages pass it: an id that contains a point is
/// a key already; any other id belongs to the built-in family "vorn".
QString commandCatalogKey(const QString& id);

/// "未知指令：%1" filled with key.
QString unknownCommandText(const QString& key);

/// Why raw input cannot be sent, or an empty text when it can. The first failing rule
/// wins: empty input; in hex mode text commands, characters other than hex digits and
/// white space, an odd number of digits, nothing decodable; in text mode input that
/// looks like hex bytes.
QString rawSendRefusal(const QString& text, bool asHex);

/// The bytes for raw input that passed rawSendRefusal: in hex mode the decoded digits
/// (blanks ignored); in text mode the UTF-8 text with CR LF appended unless it already
/// ends with CR LF.
QByteArray rawSendPayload(const QString& text, bool asHex);

} // namespace gcs
