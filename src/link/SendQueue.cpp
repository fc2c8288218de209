#include "link/SendQueue.h"

namespace gcs {

SendQueue::SendQueue(QObject* parent)
    : QObject(parent)
{ }

void SendQueue::setSender(void* context, Sender sender)
{
    m_context = context;
    m_sender = sender;
}

bool SendQueue::enqueue(const QByteArray& data)
{
    if (data.isEmpty())
        return false;
    m_pending.append(data);
    pump();
    return true;
}

void SendQueue::clear()
{
    m_pending.clear();
}

void SendQueue::pump()
{
    // The flag guards against a sender that enqueues again from inside its own call.
    if (m_pumping || !m_sender || !m_context)
        return;
    m_pumping = true;
    while (!m_pending.isEmpty()) {
        if (!m_sender(m_context, m_pending.first()))
            break;
        m_pending.removeFirst();
    }
    m_pumping = false;
}

} // namespace gcs
