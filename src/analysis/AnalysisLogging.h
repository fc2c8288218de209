#pragma once

#include <QLoggingCategory>

namespace gcs {

/// Diagnostics of the noise analysis ("gcs.analysis"), off below warnings.
Q_DECLARE_LOGGING_CATEGORY(lcAnalysis)

} // namespace gcs
