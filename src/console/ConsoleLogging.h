#pragma once

#include <QLoggingCategory>

// Diagnostics of the console and command subsystem; debug output is off by default.
Q_DECLARE_LOGGING_CATEGORY(lcConsole)
