// The engine against lrzsz, an independent YModem implementation, over real pty pairs:
// our sender to "rb --ymodem" and "sb --ymodem -k" to our receiver.
#include "EngineLine.h"
#include "TestPackets.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace gcs;
using gcs::test::EngineLine;
using gcs::test::TtyProgram;

namespace {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

bool writeFile(const QString& path, const QByteArray& content)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
}

void addMatrixRows()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("size");
    for (const int size : { 0, 1, 127, 128, 129, 1023, 1024, 1025, 1030, 1 << 20 })
        QTest::addRow("%d bytes", size) << QStringLiteral("file_%1.bin").arg(size) << size;
    QTest::newRow("non-ASCII name") << QStringLiteral("固件_ü_升级包.bin") << 3000;
}

} // namespace

class TestYModemInterop : public QObject
{
    Q_OBJECT
private slots:
    void ourSenderToRb_data() { addMatrixRows(); }
    void ourSenderToRb()
    {
        QFETCH(QString, name);
        QFETCH(int, size);
        QTemporaryDir source;
        QTemporaryDir target; // rb refuses to overwrite, so it gets an empty folder
        const QByteArray content = gcs::test::testContent(size, uint(size));
        const QString path = QDir(source.path()).filePath(name);
        QVERIFY(writeFile(path, content));

        EngineLine line;
        QString error;
        QVERIFY2(line.start(&error), qPrintable(error));
        TtyProgram rb;
        QVERIFY2(rb.start("rb", { "--ymodem" }, line.peerEnd(), target.path()),
                 qPrintable(rb.errorText()));
        QVERIFY(line.engine.startSend(path));
        line.engine.beginHandshake(20000);

        QVERIFY2(line.waitFinished(60000), qPrintable(line.statuses.join(" | ")));
        QVERIFY2(line.ok(), qPrintable(line.message()));
        QVERIFY2(rb.waitForEnd(10000), "rb did not end");
        QCOMPARE(rb.exitCode(), 0);
        QCOMPARE(readAll(QDir(target.path()).filePath(name)), content);
        QCOMPARE(line.engine.progress(), 100);
    }

    void sbToOurReceiver_data() { addMatrixRows(); }
    void sbToOurReceiver()
    {
        QFETCH(QString, name);
        QFETCH(int, size);
        QTemporaryDir source;
        QTemporaryDir target;
        const QByteArray content = gcs::test::testContent(size, uint(size) + 77);
        QVERIFY(writeFile(QDir(source.path()).filePath(name), content));
        const QString saved = QDir(target.path()).filePath("saved.bin");

        EngineLine line;
        QString error;
        QVERIFY2(line.start(&error), qPrintable(error));
        QVERIFY(line.engine.startReceive(saved));
        TtyProgram sb;
        QVERIFY2(sb.start("sb", { "--ymodem", "-k", name }, line.peerEnd(), source.path()),
                 qPrintable(sb.errorText()));

        QVERIFY2(line.waitFinished(60000), qPrintable(line.statuses.join(" | ")));
        QVERIFY2(line.ok(), qPrintable(line.message()));
        QCOMPARE(line.message(), QStringLiteral("文件接收成功"));
        QVERIFY2(sb.waitForEnd(10000), "sb did not end");
        QCOMPARE(sb.exitCode(), 0);
        QCOMPARE(readAll(saved), content);
        // The header's name is shown as sent, UTF-8 included.
        QVERIFY2(line.statuses.contains(QStringLiteral("接收 %1").arg(name)),
                 qPrintable(line.statuses.join(" | ")));
        if (size > 0)
            QCOMPARE(line.engine.progress(), 100);
    }
};

QTEST_GUILESS_MAIN(TestYModemInterop)
#include "tst_ymodeminterop.moc"
