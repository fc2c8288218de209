#include "console/LogFormat.h"

namespace gcs {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool isPrintableByte(uchar c)
{
    return (c >= 0x20 && c <= 0x7E) || c == '\t' || c == '\n' || c == '\r';
}

} // namespace

QString logDirBanner(const QString& time, const QString& direction)
{
    return QStringLiteral("── ") + time + QLatin1Char(' ') + direction + QStringLiteral(" ──\n");
}

QString logHexText(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex(' '));
}

QString bytesToLogAscii(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return QString();
    QString text = QString::fromUtf8(bytes);
    if (!text.contains(QChar(kReplacement))) {
        for (QChar& c : text) {
            const char16_t u = c.unicode();
            if (u < 0x20 && u != '\t' && u != '\n' && u != '\r')
                c = QLatin1Char('.');
        }
        return text;
    }
    // Not UTF-8 (a binary frame, or text cut in the middle of a character): byte by byte.
    text.clear();
    text.reserve(bytes.size());
    for (const char b : bytes) {
        const uchar c = uchar(b);
        text += isPrintableByte(c) ? QLatin1Char(char(c)) : QLatin1Char('.');
    }
    return text;
}

QString formatInsRawBytes(const QByteArray& bytes, bool hex)
{
    if (bytes.isEmpty())
        return QString();
    if (hex)
        return logHexText(bytes) + QLatin1Char('\n');
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    qsizetype n = 0;
    for (const char b : bytes) {
        const uchar c = uchar(b);
        if (c == 0)
            continue; // NUL padding of the device's output carries nothing to read
        out[n++] = isPrintableByte(c) ? QChar(c) : QChar(u'.');
    }
    text.truncate(n);
    return text;
}

qsizetype formattedInsRawSize(const QByteArray& bytes, bool hex)
{
    if (bytes.isEmpty())
        return 0;
    if (hex)
        return 3 * bytes.size(); // "xx" per byte, a blank between, one line feed at the end
    return bytes.size() - bytes.count('\0');
}

bool logPacketIsBinaryNav(const QByteArray& bytes)
{
    if (bytes.isEmpty() || bytes.startsWith("#vorn") || bytes.startsWith('$'))
        return false;
    if (bytes.startsWith("\xAA\x55"))
        return true;
    qsizetype printable = 0;
    for (const char b : bytes) {
        if (isPrintableByte(uchar(b)))
            ++printable;
    }
    return 4 * printable < 3 * bytes.size();
}

} // namespace gcs
