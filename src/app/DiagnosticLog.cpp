#include "app/DiagnosticLog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace gcs {

namespace {

// Set once before the handler is installed and never changed while it is in use, so
// handler calls from other threads only read it.
QString& logPath()
{
    static QString path;
    return path;
}

} // namespace

void gcsLog(QtMsgType, const QMessageLogContext&, const QString& message)
{
    // Opened anew for every message, so that a crash loses nothing already logged.
    QFile file(logPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return;
    QByteArray line = message.toUtf8();
    line.append('\n');
    file.write(line);
}

QtMessageHandler installDiagnosticLog(const QString& filePath)
{
    logPath() = filePath;
    return qInstallMessageHandler(&gcsLog);
}

QString defaultDiagnosticLogPath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("qml-error.log"));
}

} // namespace gcs
