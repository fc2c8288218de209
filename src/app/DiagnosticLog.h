#pragma once

#include <QString>
#include <QtGlobal>

namespace gcs {

/// The process-wide Qt message handler: every message of every type is appended, text
/// only, one line per message, to the diagnostic log file. Nothing goes to stderr; a
/// file that cannot be opened drops the message.
void gcsLog(QtMsgType type, const QMessageLogContext& context, const QString& message);

/// Sets the file gcsLog appends to and installs it; returns the previous handler.
QtMessageHandler installDiagnosticLog(const QString& filePath);

/// "qml-error.log" in the folder that holds the executable where this process can append
/// to it; otherwise (an install the user cannot write, such as one under /usr or
/// "Program Files") the same file in the per-user application data folder, beside the
/// instance lock. The folder beside the executable is tried by opening the file, not by
/// its permission bits, which say nothing for an administrator.
QString defaultDiagnosticLogPath();

} // namespace gcs
