#include "console/ConsoleLog.h"

Q_LOGGING_CATEGORY(lcConsole, "gcs.console", QtWarningMsg)
