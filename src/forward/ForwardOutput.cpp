#include "forward/ForwardOutput.h"

#include "forward/ForwardLogging.h"

namespace gcs {

ForwardOutput::ForwardOutput(QObject* parent)
    : QObject(parent)
{ }

void ForwardOutput::setState(State state)
{
    if (state == m_state)
        return;
    m_state = state;
    emit stateChanged();
}

void ForwardOutput::fail(const QString& message)
{
    m_error = message;
    qCWarning(lcForward) << message;
    setState(State::Failed);
    emit failed(message);
}

} // namespace gcs
