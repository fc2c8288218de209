#include "capture/CaptureLogging.h"

namespace gcs {

Q_LOGGING_CATEGORY(lcCapture, "gcs.capture", QtWarningMsg)

} // namespace gcs
