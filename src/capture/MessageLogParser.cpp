#include "capture/MessageLogParser.h"

#include <QDateTime>

#include <cstring>

namespace gcs {

namespace {

// "yyyy-MM-dd HH:mm:ss.zzz": where the digits are and what stands between them.
constexpr char kStampShape[] = "dddd-dd-dd dd:dd:dd.ddd";

int digit(char c)
{
    return c >= '0' && c <= '9' ? c - '0' : -1;
}

int number(const char* p, int n)
{
    int v = 0;
    for (int i = 0; i < n; ++i)
        v = v * 10 + (p[i] - '0');
    return v;
}

int hexValue(uchar c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c |= 0x20;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool decodeHexPairs(const char* s, qsizetype n, QByteArray& out)
{
    if (n < 2 || (n + 1) % 3 != 0)
        return false;
    const qsizetype count = (n + 1) / 3;
    out.resize(count);
    char* o = out.data();
    for (qsizetype i = 0; i < count; ++i) {
        const char* p = s + 3 * i;
        const int hi = hexValue(uchar(p[0]));
        const int lo = hexValue(uchar(p[1]));
        if (hi < 0 || lo < 0 || (i + 1 < count && p[2] != ' '))
            return false;
        o[i] = char(hi << 4 | lo);
    }
    return true;
}

} // namespace

bool MessageLogParser::startsWithStamp(const char* text, qsizetype size)
{
    if (size < kStampLength + 1 || text[kStampLength] != ' ')
        return false;
    for (int i = 0; i < kStampLength; ++i) {
        if (kStampShape[i] == 'd' ? digit(text[i]) < 0 : text[i] != kStampShape[i])
            return false;
    }
    return true;
}

MessageLogParser::Fault MessageLogParser::parse(const char* text, qsizetype size,
                                                QByteArray& message, qint64& hostMs)
{
    if (!startsWithStamp(text, size) || !stampToMs(text, hostMs))
        return Fault::Stamp;
    const char* m = text + kStampLength + 1;
    const qsizetype n = size - kStampLength - 1;
    if (n >= 5 && std::memcmp(m, "#vorn", 5) == 0) {
        message = QByteArray(m, n);
        return Fault::None;
    }
    return decodeHexPairs(m, n, message) ? Fault::None : Fault::Hex;
}

bool MessageLogParser::stampToMs(const char* text, qint64& ms)
{
    const int seconds = number(text + 17, 2);
    const int millis = number(text + 20, 3);
    if (seconds > 59)
        return false;
    if (!m_haveMinute || std::memcmp(m_minuteKey, text, sizeof m_minuteKey) != 0) {
        const QDate date(number(text, 4), number(text + 5, 2), number(text + 8, 2));
        const QTime time(number(text + 11, 2), number(text + 14, 2));
        if (!date.isValid() || !time.isValid())
            return false;
        m_minuteMs = QDateTime(date, time).toMSecsSinceEpoch();
        std::memcpy(m_minuteKey, text, sizeof m_minuteKey);
        m_haveMinute = true;
    }
    ms = m_minuteMs + seconds * 1000 + millis;
    return true;
}

} // namespace gcs
