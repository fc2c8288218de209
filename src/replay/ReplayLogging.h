#pragma once

#include <QLoggingCategory>

namespace gcs {

/// Diagnostics of replaying recordings ("gcs.replay"), off below warnings.
Q_DECLARE_LOGGING_CATEGORY(lcReplay)

} // namespace gcs
