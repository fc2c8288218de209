#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>

namespace gcs {

/// Outbound buffer list in front of a serial port. Each buffer is handed to the sender
/// whole; a buffer the sender refuses stays at the head and is offered again, before any
/// newer buffer, on the next enqueue. No timer, no size limit, no chunking.
class SendQueue : public QObject
{
public:
    using Sender = bool (*)(void* context, const QByteArray& data);

    explicit SendQueue(QObject* parent = nullptr);

    void setSender(void* context, Sender sender);
    /// False for an empty buffer; otherwise queues it, pumps, and returns true whether or
    /// not the sender has accepted it yet.
    bool enqueue(const QByteArray& data);
    void clear();

    qsizetype pendingCount() const { return m_pending.size(); }

private:
    void pump();

    void* m_context = nullptr;
    Sender m_sender = nullptr;
    QList<QByteArray> m_pending;
    bool m_pumping = false;
};

} // namespace gcs
