#include "console/SendInput.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace gcs {

namespace {

bool isHexLetter(char16_t c)
{
    return (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

bool isAsciiDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

QString withoutWhiteSpace(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (!c.isSpace())
            out += c;
    }
    return out;
}

} // namespace

QString commandCatalogKey(const QString& id)
{
    return id.contains(QLatin1Char('.')) ? id : QStringLiteral("vorn.") + id;
}

QString unknownCommandText(const QString& key)
{
    return QCoreApplication::translate("gcs::SendInput", "未知指令：%1").arg(key);
}

QString rawSendRefusal(const QString& text, bool asHex)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return QCoreApplication::translate("gcs::SendInput", "发送内容为空");
    if (asHex) {
        if (t.contains(QLatin1Char('#')) || t.contains(QLatin1Char('$')))
            return QCoreApplication::translate("gcs::SendInput",
                                               "已勾选 Hex 发送，但内容为 #vorn / $cmd 等文本指令。"
                                               "请取消「Hex 发送」后再发。");
        // Only ASCII digits count: a full-width or other script's digit passes a
        // Unicode digit test but is no hex digit, and would silently drop out of the
        // bytes that are sent.
        for (const QChar c : t) {
            if (!c.isSpace() && !isAsciiDigit(c.unicode()) && !isHexLetter(c.unicode()))
                return QCoreApplication::translate("gcs::SendInput",
                                                   "Hex 发送仅允许 0-9、A-F 与空格。文本指令（如 "
                                                   "#vorn,get com1*ff）请勿勾选 Hex 发送。");
        }
        const QString digits = withoutWhiteSpace(t);
        if (digits.size() % 2 != 0)
            return QCoreApplication::translate(
                "gcs::SendInput", "Hex 字节须成对书写（每两个字符为一字节），当前长度不完整。");
        if (QByteArray::fromHex(digits.toLatin1()).isEmpty())
            return QCoreApplication::translate("gcs::SendInput", "无法解析为有效的 Hex 数据。");
        return QString();
    }
    // Short input is always text: "AA" alone is a word, not a byte.
    static const QRegularExpression hexPairs(QStringLiteral("^([0-9A-Fa-f]{2}(\\s+|$))+$"));
    const bool looksLikeBytes = t.size() >= 4
        && (t.startsWith(QLatin1String("AA"), Qt::CaseInsensitive)
            || t.startsWith(QLatin1String("55")) || hexPairs.match(t).hasMatch());
    if (looksLikeBytes)
        return QCoreApplication::translate("gcs::SendInput",
                                           "内容像二进制 Hex（如 AA 55 …）。请勾选「Hex 发送」；"
                                           "#vorn 等文本指令则保持不勾选。");
    return QString();
}

QByteArray rawSendPayload(const QString& text, bool asHex)
{
    if (asHex) {
        QString digits = text;
        digits.remove(QLatin1Char(' '));
        return QByteArray::fromHex(digits.toLatin1());
    }
    QByteArray bytes = text.toUtf8();
    if (!bytes.endsWith("\r\n"))
        bytes += "\r\n";
    return bytes;
}

} // namespace gcs
