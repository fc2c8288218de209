// Recording controls of the controller: the connection check, the recording form of the
// current product, the reports when a file cannot be created or written, and the export
// of a recording to CSV or KML.

#include "app/Application.h"

#include "capture/CaptureExportTask.h"
#include "catalog/ProductRegistry.h"
#include "ins/InsBridge.h"
#include "ins/TelemetryHub.h"
#include "link/Session.h"
#include "record/Recorder.h"

#include <QFileInfo>

namespace gcs {

namespace {

bool insProduct(const ProductRegistry* products)
{
    return products->currentProductId() == QLatin1String("ins");
}

} // namespace

bool Application::startRecord(const QString& csvPath, const QString& rawPath)
{
    if (const Session* s = currentManagedSession(); !s || !s->isConnected()) {
        setError(tr("请先连接设备后再开始记录"));
        return false;
    }
    return startRecordingChecked(m_recorder->start(csvPath, rawPath, insProduct(m_products)));
}

bool Application::startRecordInDir(const QString& dir)
{
    if (const Session* s = currentManagedSession(); !s || !s->isConnected()) {
        setError(tr("请先连接设备后再开始记录"));
        return false;
    }
    QString hint = m_ins->packetFormat();
    if (hint.isEmpty())
        hint = m_hub->field(QStringLiteral("format")).toString();
    return startRecordingChecked(m_recorder->startInDirectory(dir, hint, insProduct(m_products)));
}

void Application::stopRecord()
{
    m_recorder->stop();
}

bool Application::startRecordingChecked(bool started)
{
    // A file that stops taking data during the recording is told at once, not at the end.
    connect(m_recorder, &Recorder::writeFailed, this, &Application::setError, Qt::UniqueConnection);
    // Not creating the text file fails the start; a missing raw file is told but the
    // recording of the text runs.
    if (!m_recorder->lastErrorText().isEmpty())
        setError(m_recorder->lastErrorText());
    return started;
}

void Application::wireRecordingExport()
{
    m_captureExport = new CaptureExportTask(this);
    connect(m_recorder, &Recorder::recordingChanged, this, &Application::lastRecordingChanged);
    connect(m_captureExport, &CaptureExportTask::finished, this,
            [this](bool ok, const QString& message, const QString& warning) {
                // A capture that broke off: what came before it is in the file.
                reportWorkEnded(ok, m_captureExport->lastResult().cancelled, message, warning);
            });
}

QString Application::lastRecordingPath() const
{
    if (m_recorder->recording())
        return QString();
    // The message log carries every message's host time; the raw file is the fallback
    // (a log that stayed empty, a product without one).
    const QFileInfo text(m_recorder->textPath());
    if (m_recorder->insColumns() && text.isFile() && text.size() > 0)
        return text.filePath();
    const QFileInfo raw(m_recorder->rawPath());
    return raw.isFile() ? raw.filePath() : QString();
}

bool Application::exportRecording(const QString& format)
{
    if (m_recorder->recording()) {
        setError(tr("请先停止记录再导出"));
        return false;
    }
    const QString source = lastRecordingPath();
    if (source.isEmpty()) {
        setError(tr("还没有可导出的记录，请先开始并停止一次记录"));
        return false;
    }
    return exportCaptureFile(source, format);
}

void Application::cancelExport()
{
    m_captureExport->cancel();
}

bool Application::exportCaptureFile(const QString& source, const QString& format)
{
    CaptureExport::Format f;
    if (!CaptureExport::formatFromName(format, f)) {
        setError(tr("不支持的导出格式：%1").arg(format));
        return false;
    }
    if (source.trimmed().isEmpty())
        return false;
    if (m_captureExport->busy()) {
        setError(tr("正在导出，请等待完成或先取消"));
        return false;
    }
    const bool csv = f == CaptureExport::Format::Csv;
    QString out
        = pickSaveFile(tr("导出 %1").arg(csv ? QStringLiteral("CSV") : QStringLiteral("KML")),
                       csv ? QStringLiteral("CSV (*.csv)") : QStringLiteral("KML (*.kml)"));
    if (out.isEmpty())
        return false;
    const QString suffix = QLatin1Char('.') + CaptureExport::suffix(f);
    if (!out.endsWith(suffix, Qt::CaseInsensitive))
        out += suffix;
    if (const QString refusal = CaptureExport::outputRefusal(source, out); !refusal.isEmpty()) {
        setError(refusal);
        return false;
    }
    return m_captureExport->start(source, out, f);
}

} // namespace gcs
