#pragma once

#include <QLoggingCategory>

// Diagnostics of the catalog and settings subsystem; debug output is off by default.
Q_DECLARE_LOGGING_CATEGORY(lcCatalog)
