// Recording controls of the controller: the connection check, the recording form of the
// current product, and the reports when a file cannot be created or written.

#include "app/Application.h"

#include "catalog/ProductRegistry.h"
#include "ins/InsBridge.h"
#include "ins/TelemetryHub.h"
#include "link/Session.h"
#include "record/Recorder.h"

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
        setError(QStringLiteral("请先连接设备后再开始记录"));
        return false;
    }
    return startRecordingChecked(m_recorder->start(csvPath, rawPath, insProduct(m_products)));
}

bool Application::startRecordInDir(const QString& dir)
{
    if (const Session* s = currentManagedSession(); !s || !s->isConnected()) {
        setError(QStringLiteral("请先连接设备后再开始记录"));
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

} // namespace gcs
