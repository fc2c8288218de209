#include "capture/CaptureExportTask.h"

#include "capture/CaptureLogging.h"
#include "capture/PostedProgress.h"

#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QtConcurrent/QtConcurrentRun>

namespace gcs {

CaptureExportTask::CaptureExportTask(QObject* parent)
    : QObject(parent)
{
    connect(&m_watcher, &QFutureWatcher<CaptureExport::Result>::finished, this,
            &CaptureExportTask::onFinished);
}

CaptureExportTask::~CaptureExportTask()
{
    if (m_cancel)
        m_cancel->store(true);
    m_watcher.waitForFinished();
}

QString CaptureExportTask::formatName() const
{
    return CaptureExport::suffix(m_format).toUpper();
}

bool CaptureExportTask::start(const QString& capturePath, const QString& outPath,
                              CaptureExport::Format format)
{
    if (m_busy)
        return false;
    m_format = format;
    m_outPath = outPath;
    m_sourceName = QFileInfo(capturePath).fileName();
    m_cancel = std::make_shared<std::atomic_bool>(false);
    m_busy = true;
    setPermille(0);
    emit busyChanged();
    const auto progress
        = [post = postedPermille(this, [this](int permille) { setPermille(permille); })](
              qint64 position, qint64 size) { post(size > 0 ? double(position) / size : 1.0); };
    const std::shared_ptr<std::atomic_bool> cancel = m_cancel;
    m_watcher.setFuture(QtConcurrent::run([capturePath, outPath, format, cancel, progress]() {
        return CaptureExport::toFile(capturePath, outPath, format, cancel.get(), progress);
    }));
    return true;
}

void CaptureExportTask::cancel()
{
    if (m_busy && m_cancel)
        m_cancel->store(true);
}

void CaptureExportTask::setPermille(int permille)
{
    if (!m_busy || permille == m_permille)
        return;
    m_permille = permille;
    emit progressChanged();
}

void CaptureExportTask::onFinished()
{
    m_result = m_watcher.result();
    m_busy = false;
    const QString out = QDir::toNativeSeparators(m_outPath);
    QString message;
    if (m_result.ok) {
        m_lastOutput = m_outPath;
        message = m_format == CaptureExport::Format::Csv
            ? QStringLiteral("已导出 %1 条记录到 %2").arg(m_result.written).arg(out)
            : QStringLiteral("已导出 %1 个轨迹点到 %2").arg(m_result.written).arg(out);
    } else {
        message = m_result.error;
    }
    qCDebug(lcCapture) << "export ended:" << message;
    emit busyChanged();
    emit finished(m_result.ok, message, m_result.warning);
}

} // namespace gcs
