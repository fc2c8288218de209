#include "analysis/AnalysisLogging.h"

namespace gcs {

Q_LOGGING_CATEGORY(lcAnalysis, "gcs.analysis", QtWarningMsg)

} // namespace gcs
