#pragma once

#include <QCoreApplication>
#include <QString>

namespace gcs {

/// Where an output sends or listens: a host (an address or a name) and a port, as a user
/// writes it: "HOST:PORT", "[IPv6]:PORT", and where a host goes without saying, "PORT".
struct ForwardEndpoint
{
    Q_DECLARE_TR_FUNCTIONS(gcs::ForwardEndpoint)

public:
    QString host;
    int port = 0;

    /// Reads text; defaultHost stands for a missing host (empty: the host is required).
    /// False with a reason in error when the text is no endpoint.
    static bool parse(const QString& text, const QString& defaultHost, ForwardEndpoint& out,
                      QString& error);
};

} // namespace gcs
