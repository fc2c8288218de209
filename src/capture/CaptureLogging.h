#pragma once

#include <QLoggingCategory>

namespace gcs {

/// Diagnostics of reading captures and exporting them ("gcs.capture"), off below warnings.
Q_DECLARE_LOGGING_CATEGORY(lcCapture)

} // namespace gcs
