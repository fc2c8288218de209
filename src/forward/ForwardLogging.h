#pragma once

#include <QLoggingCategory>

namespace gcs {

/// Diagnostics of forwarding records to other programs ("gcs.forward"), off below warnings.
Q_DECLARE_LOGGING_CATEGORY(lcForward)

} // namespace gcs
