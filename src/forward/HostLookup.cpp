#include "forward/HostLookup.h"

#include <QHostInfo>
#include <QObject>

namespace gcs {

int HostLookup::start(const QString& host, QObject* context, Done done)
{
    QHostAddress address;
    if (address.setAddress(host.trimmed())) {
        done(address, QString());
        return -1;
    }
    return QHostInfo::lookupHost(host.trimmed(), context, [done](const QHostInfo& info) {
        const QList<QHostAddress> found = info.addresses();
        if (info.error() != QHostInfo::NoError || found.isEmpty()) {
            done(QHostAddress(),
                 info.error() != QHostInfo::NoError ? info.errorString()
                                                    : QStringLiteral("no address"));
            return;
        }
        for (const QHostAddress& a : found) {
            if (a.protocol() == QAbstractSocket::IPv4Protocol) {
                done(a, QString());
                return;
            }
        }
        done(found.first(), QString());
    });
}

void HostLookup::abort(int id)
{
    if (id >= 0)
        QHostInfo::abortHostLookup(id);
}

} // namespace gcs
