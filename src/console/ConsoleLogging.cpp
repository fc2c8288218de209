#include "console/ConsoleLogging.h"

Q_LOGGING_CATEGORY(lcConsole, "gcs.console", QtWarningMsg)
