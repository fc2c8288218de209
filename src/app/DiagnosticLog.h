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

/// "qml-error.log" in the folder that holds the executable.
QString defaultDiagnosticLogPath();

} // namespace gcs
