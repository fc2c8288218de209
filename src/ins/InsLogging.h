#pragma once

#include <QLoggingCategory>

namespace gcs {

/// Diagnostics of the INS decoder and bridge ("gcs.ins"), off below warnings by default.
Q_DECLARE_LOGGING_CATEGORY(lcIns)

} // namespace gcs
