#include "capture/CaptureExportTask.h"

#include "capture/CaptureLogging.h"

#include <QDir>
#include <QFileInfo>

namespace gcs {

CaptureExportTask::CaptureExportTask(QObject* parent)
    : BackgroundTask(parent)
{ }

QString CaptureExportTask::formatName() const
{
    return CaptureExport::suffix(m_format).toUpper();
}

bool CaptureExportTask::start(const QString& capturePath, const QString& outPath,
                              CaptureExport::Format format)
{
    if (busy())
        return false;
    m_format = format;
    m_outPath = outPath;
    m_sourceName = QFileInfo(capturePath).fileName();
    launch(
        [capturePath, outPath, format](const std::atomic_bool* cancel, const Progress& progress) {
            return CaptureExport::toFile(capturePath, outPath, format, cancel,
                                         [&progress](qint64 position, qint64 size) {
                                             progress(size > 0 ? double(position) / size : 1.0);
                                         });
        },
        [this](const CaptureExport::Result& result) { ended(result); });
    return true;
}

void CaptureExportTask::ended(const CaptureExport::Result& result)
{
    m_result = result;
    const QString out = QDir::toNativeSeparators(m_outPath);
    QString message;
    if (m_result.ok) {
        m_lastOutput = m_outPath;
        message = m_format == CaptureExport::Format::Csv
            ? tr("已导出 %1 条记录到 %2").arg(m_result.written).arg(out)
            : tr("已导出 %1 个轨迹点到 %2").arg(m_result.written).arg(out);
    } else {
        message = m_result.error;
    }
    qCDebug(lcCapture) << "export ended:" << message;
    emit finished(m_result.ok, message, m_result.warning);
}

} // namespace gcs
