#pragma once

#include <QLoggingCategory>

// Diagnostics of serial probing; debug output is off by default.
Q_DECLARE_LOGGING_CATEGORY(lcDiscovery)
