#include "discovery/DiscoveryLog.h"

Q_LOGGING_CATEGORY(lcDiscovery, "gcs.discovery", QtWarningMsg)
