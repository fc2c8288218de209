// Recording controls of the controller.
//
// Recording is not part of this build yet; starting one reports that through lastError.

#include "app/Application.h"

#include "record/Recorder.h"

namespace gcs {

bool Application::startRecord(const QString& /*csvPath*/, const QString& /*rawPath*/)
{
    return reportUnavailable("startRecord");
}

bool Application::startRecordInDir(const QString& /*dir*/)
{
    return reportUnavailable("startRecordInDir");
}

void Application::stopRecord()
{
    m_recorder->stop();
}

} // namespace gcs
