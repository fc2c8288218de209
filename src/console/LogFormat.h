#pragma once

#include <QByteArray>
#include <QString>

namespace gcs {

// Text forms of the communication log. Received and sent bytes are shown either as text
// (with everything unprintable made visible as ".") or as hexadecimal pairs.

/// "── " + time + " " + direction + " ──\n"; direction is "发送" or "接收".
QString logDirBanner(const QString& time, const QString& direction);

/// Two lower-case hexadecimal digits per byte, separated by single blanks.
QString logHexText(const QByteArray& bytes);

/// Bytes as readable text. Valid UTF-8 keeps its characters, except control characters
/// below 0x20 other than tab, line feed and carriage return, which become "."; anything
/// else is shown byte by byte: printable ASCII, tab, line feed and carriage return kept,
/// every other byte ".".
QString bytesToLogAscii(const QByteArray& bytes);

/// The raw-data view of received bytes: with hex the hexadecimal form and one line
/// feed; without it one character per byte, 0x00 dropped, printable ASCII, tab, line
/// feed and carriage return kept, every other byte ".". Empty input gives "".
QString formatInsRawBytes(const QByteArray& bytes, bool hex);

/// Length of formatInsRawBytes(bytes, hex) without building it.
qsizetype formattedInsRawSize(const QByteArray& bytes, bool hex);

/// Whether a message is better shown as hexadecimal: never for "#vorn" and "$" text,
/// always for an AA 55 frame, otherwise when fewer than three quarters of its bytes are
/// printable.
bool logPacketIsBinaryNav(const QByteArray& bytes);

} // namespace gcs
