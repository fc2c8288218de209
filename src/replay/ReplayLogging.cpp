#include "replay/ReplayLogging.h"

namespace gcs {

Q_LOGGING_CATEGORY(lcReplay, "gcs.replay", QtWarningMsg)

} // namespace gcs
