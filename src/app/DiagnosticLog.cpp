#include "app/DiagnosticLog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace gcs {

namespace {

// Set once before the handler is installed and never changed while it is in use, so
// handler calls from other threads only read it.
QString& logPath()
{
    static QString path;
    return path;
}

const char* const kLogName = "qml-error.log";

// Opens the file for appending as the handler will; a file made only to try is removed
// again, so that a run without messages leaves no empty log.
bool canAppendTo(const QString& path)
{
    const bool existed = QFileInfo::exists(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    file.close();
    if (!existed)
        file.remove();
    return true;
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
    const QString name = QString::fromLatin1(kLogName);
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    if (canAppendTo(beside))
        return beside;
    const QString dataDir = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(dataDir);
    return QDir(dataDir).filePath(name);
}

} // namespace gcs
