#include "link/LocalIp.h"

namespace gcs {

QString normalizedLocalIp(const QString& ip)
{
    const QString trimmed = ip.trimmed();
    if (trimmed.isEmpty() || trimmed == QLatin1String("0.0.0.0"))
        return QString();
    return trimmed;
}

} // namespace gcs
