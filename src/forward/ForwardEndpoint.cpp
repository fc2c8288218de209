#include "forward/ForwardEndpoint.h"

namespace gcs {

bool ForwardEndpoint::parse(const QString& text, const QString& defaultHost, ForwardEndpoint& out,
                            QString& error)
{
    const QString t = text.trimmed();
    QString host;
    QString port = t;
    if (t.startsWith(QLatin1Char('['))) {
        const qsizetype close = t.indexOf(QLatin1String("]:"));
        if (close < 0) {
            error = tr("“%1”不是“[IPv6 地址]:端口”").arg(t);
            return false;
        }
        host = t.mid(1, close - 1);
        port = t.mid(close + 2);
    } else if (const qsizetype colon = t.lastIndexOf(QLatin1Char(':')); colon >= 0) {
        host = t.left(colon);
        port = t.mid(colon + 1);
        if (host.contains(QLatin1Char(':'))) {
            error = tr("IPv6 地址须写在方括号里：“[%1]:%2”").arg(host, port);
            return false;
        }
    }
    if (host.isEmpty() && (t.contains(QLatin1Char(':')) || defaultHost.isEmpty())) {
        error = tr("“%1”缺少地址，应为“地址:端口”").arg(t);
        return false;
    }
    bool ok = false;
    const int number = port.toInt(&ok);
    if (!ok || number < 1 || number > 65535) {
        error = tr("端口“%1”无效，应为 1 到 65535").arg(port);
        return false;
    }
    out.host = host.isEmpty() ? defaultHost : host;
    out.port = number;
    return true;
}

} // namespace gcs
