// The noise analysis of recordings on the window's side: the analysis runs in
// NoiseAnalysisTask; its ends and exports are told through the controller's notices.

#include "app/Application.h"

#include "analysis/NoiseAnalysisTask.h"

namespace gcs {

void Application::wireNoiseAnalysis()
{
    m_noise = new NoiseAnalysisTask(this);
    connect(m_noise, &NoiseAnalysisTask::finished, this,
            [this](bool ok, bool cancelled, const QString& message) {
                if (ok || cancelled)
                    setUserNotice(message);
                else
                    setError(message);
                // The figures stand, but the file broke off: what came before it is in them.
                if (ok && !m_noise->warningText().isEmpty())
                    setError(m_noise->warningText());
            });
    connect(m_noise, &NoiseAnalysisTask::exported, this, [this](bool ok, const QString& message) {
        if (ok)
            setUserNotice(message);
        else
            setError(message);
    });
}

} // namespace gcs
