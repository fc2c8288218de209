#include "link/SendQueue.h"

#include <QTest>

using namespace gcs;

namespace {

// A sender that refuses the next `refuse` buffers, then accepts and records.
struct Device
{
    int refuse = 0;
    int calls = 0;
    QList<QByteArray> written;
    gcs::SendQueue* reenter = nullptr;

    static bool send(void* context, const QByteArray& data)
    {
        auto* d = static_cast<Device*>(context);
        ++d->calls;
        if (d->refuse > 0) {
            --d->refuse;
            return false;
        }
        d->written.append(data);
        if (d->reenter && data == "first") {
            gcs::SendQueue* q = d->reenter;
            d->reenter = nullptr;
            q->enqueue("from inside");
        }
        return true;
    }
};

} // namespace

class TestSendQueue : public QObject
{
    Q_OBJECT
private slots:
    void acceptedBuffersReachTheSenderWhole()
    {
        Device d;
        SendQueue q;
        q.setSender(&d, &Device::send);
        QVERIFY(q.enqueue("abc"));
        QVERIFY(q.enqueue(QByteArray(5000, 'x')));
        QCOMPARE(d.written.size(), 2);
        QCOMPARE(d.written.at(1).size(), 5000);
        QCOMPARE(q.pendingCount(), 0);
    }

    void emptyBufferIsRefused()
    {
        Device d;
        SendQueue q;
        q.setSender(&d, &Device::send);
        QVERIFY(!q.enqueue(QByteArray()));
        QCOMPARE(d.calls, 0);
    }

    void refusedBufferStaysAtTheHeadAndKeepsOrder()
    {
        Device d;
        d.refuse = 1;
        SendQueue q;
        q.setSender(&d, &Device::send);
        QVERIFY(q.enqueue("one")); // refused, kept
        QCOMPARE(q.pendingCount(), 1);
        QVERIFY(d.written.isEmpty());
        QVERIFY(q.enqueue("two"));
        QCOMPARE(d.written, (QList<QByteArray> { "one", "two" }));
        QCOMPARE(q.pendingCount(), 0);
    }

    void clearDropsPendingBuffers()
    {
        Device d;
        d.refuse = 2;
        SendQueue q;
        q.setSender(&d, &Device::send);
        q.enqueue("stale");
        q.clear();
        d.refuse = 0;
        q.enqueue("fresh");
        QCOMPARE(d.written, (QList<QByteArray> { "fresh" }));
    }

    void withoutSenderNothingIsLost()
    {
        SendQueue q;
        QVERIFY(q.enqueue("kept"));
        QCOMPARE(q.pendingCount(), 1);
        Device d;
        q.setSender(&d, &Device::send);
        QCOMPARE(d.calls, 0); // binding does not pump
        q.enqueue("next");
        QCOMPARE(d.written, (QList<QByteArray> { "kept", "next" }));
    }

    void senderThatEnqueuesDoesNotReenterThePump()
    {
        Device d;
        SendQueue q;
        d.reenter = &q;
        q.setSender(&d, &Device::send);
        q.enqueue("first");
        // The inner enqueue was appended and delivered by the running pump, after "first".
        QCOMPARE(d.written, (QList<QByteArray> { "first", "from inside" }));
    }
};

QTEST_GUILESS_MAIN(TestSendQueue)
#include "tst_sendqueue.moc"
