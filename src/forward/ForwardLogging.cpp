#include "forward/ForwardLogging.h"

namespace gcs {

Q_LOGGING_CATEGORY(lcForward, "gcs.forward", QtWarningMsg)

} // namespace gcs
