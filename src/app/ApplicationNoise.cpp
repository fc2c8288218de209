// The noise analysis of recordings on the window's side: the analysis runs in
// NoiseAnalysisTask; its ends and exports are told through the controller's notices.

#include "app/Application.h"

#include "analysis/NoiseAnalysisTask.h"

namespace gcs {

void Application::wireNoiseAnalysis()
{
    m_noise = new NoiseAnalysisTask(this);
    // The figures stand when the file broke off: what came before it is in them.
    connect(m_noise, &NoiseAnalysisTask::finished, this,
            [this](bool ok, bool cancelled, const QString& message) {
                reportWorkEnded(ok, cancelled, message, m_noise->warningText());
            });
    connect(m_noise, &NoiseAnalysisTask::exported, this,
            [this](bool ok, const QString& message) { reportWorkEnded(ok, false, message); });
}

} // namespace gcs
