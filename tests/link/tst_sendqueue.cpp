#include "link/SendQueue.h"

#include <QTest>

using gcs::SendQueue;

namespace {

// A sender that refuses the next `refuse` buffers, then accepts and records them; it can
// enqueue once more from inside, as a sender that causes another send would.
struct Device
{
    int refuse = 0;
    QList<QByteArray> written;
    SendQueue* reenter = nullptr;

    static bool send(void* context, const QByteArray& data)
    {
        auto* d = static_cast<Device*>(context);
        if (d->refuse > 0 && d->refuse--)
            return false;
        d->written.append(data);
        if (SendQueue* q = std::exchange(d->reenter, nullptr))
            q->enqueue("from inside");
        return true;
    }
};

} // namespace

class TestSendQueue : public QObject
{
    Q_OBJECT
private slots:
    void buffersGoWholeAndInOrderAndARefusedOneIsOfferedAgainFirst()
    {
        Device d;
        SendQueue q;
        QVERIFY(q.enqueue("kept") && q.pendingCount() == 1); // no sender yet: nothing is lost
        q.setSender(&d, &Device::send); // binding does not pump
        QVERIFY(!q.enqueue(QByteArray()) && d.written.isEmpty());

        d.refuse = 1;
        QVERIFY(q.enqueue("two")); // "kept" is refused and stays at the head
        QCOMPARE(q.pendingCount(), 2);
        QVERIFY(q.enqueue(QByteArray(5000, 'x')));
        QCOMPARE(d.written, (QList<QByteArray> { "kept", "two", QByteArray(5000, 'x') }));
        QCOMPARE(q.pendingCount(), 0);

        d.refuse = 1;
        q.enqueue("stale");
        q.clear();
        q.enqueue("fresh");
        QCOMPARE(d.written.mid(3), QList<QByteArray> { "fresh" });

        // An enqueue from inside the sender is delivered by the running pump, in order.
        d.reenter = &q;
        q.enqueue("first");
        QCOMPARE(d.written.mid(4), (QList<QByteArray> { "first", "from inside" }));
    }
};

QTEST_GUILESS_MAIN(TestSendQueue)
#include "tst_sendqueue.moc"
