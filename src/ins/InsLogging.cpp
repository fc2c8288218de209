#include "ins/InsLogging.h"

namespace gcs {

Q_LOGGING_CATEGORY(lcIns, "gcs.ins", QtWarningMsg)

} // namespace gcs
