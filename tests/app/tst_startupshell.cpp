// Start-up's pieces on their own: first window placement, instance lock, diagnostic log,
// which graphics drivers count as software rasterisers.
#include "app/DiagnosticLog.h"
#include "app/InstanceLock.h"
#include "app/RenderSetup.h"
#include "app/WindowPlacement.h"

#include "TestSupport.h"

#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <thread>

using namespace gcs;

class TestStartupShell : public QObject
{
    Q_OBJECT
private slots:
    void placement_data()
    {
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QRect>("full");
        QTest::addColumn<QSize>("minimum");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("position");
        const auto row = [](const char* tag, QRect available, QRect full, QSize minimum, QSize size,
                            QPoint position) {
            QTest::newRow(tag) << available << full << minimum << size << position;
        };
        const QRect wide(0, 0, 1920, 1040), wideFull(0, 0, 1920, 1080);
        const QRect tall(0, 0, 1200, 1900), tallFull(0, 0, 1200, 1920);
        // 0.83 * 1920 = 1593.6 wide, / 1.6 = 996 tall exceeds 0.83 * 1040 = 863.2, so the
        // height limits: 863.2 x 1381.12. A tall area: 996 wide, 622.5 tall.
        row("height limits", wide, wideFull, { 1100, 700 }, { 1381, 863 }, { 269, 88 });
        row("width limits", tall, tallFull, { 100, 100 }, { 996, 623 }, { 102, 638 });
        row("minimum wins", tall, tallFull, { 1100, 700 }, { 1100, 700 }, { 50, 600 });
        row("minimum width only", wide, wideFull, { 1500, 100 }, { 1500, 863 }, { 210, 88 });
        row("offset screen", { 1920, 40, 2560, 1400 }, { 1920, 0, 2560, 1440 }, { 1100, 700 },
            { 1859, 1162 }, { 1920 + 350, 40 + 119 });
        // No usable work area: the full screen size stands in, else 1920 x 1080.
        row("empty available area", {}, wideFull, { 1100, 700 }, { 1434, 896 }, { 243, 92 });
        row("nothing known", {}, {}, { 1100, 700 }, { 1434, 896 }, { 243, 92 });
        // 0.83 x 1250 = 1037.5 wide rounds up to 1038; / 1.6 = 648.4375 tall rounds down.
        const QRect odd(0, 0, 1250, 2000);
        row("halves round away from zero", odd, odd, { 0, 0 }, { 1038, 648 }, { 106, 676 });
        // A window as large as the area keeps its left and top edge.
        row("no room to centre", { 10, 20, 1101, 701 }, { 0, 0, 1200, 800 }, { 1100, 700 },
            { 1100, 700 }, { 10, 20 });
    }
    void placement()
    {
        QFETCH(QRect, available);
        QFETCH(QRect, full);
        QFETCH(QSize, minimum);
        QFETCH(QSize, size);
        QFETCH(QPoint, position);
        const InitialPlacement p
            = computeInitialPlacement(ScreenGeometry { available, full }, minimum);
        QCOMPARE(p.size, size);
        QCOMPARE(p.position.value_or(QPoint(-1, -1)), position);
    }

    void withoutScreen()
    {
        // 1434.24 x 896.4 rounded; only a minimum above 1434 wide is taken.
        for (const QSize& minimum : { QSize(1100, 700), QSize(1434, 0) })
            QCOMPARE(computeInitialPlacement(std::nullopt, minimum).size, QSize(1434, 896));
        const InitialPlacement p = computeInitialPlacement(std::nullopt, QSize(1500, 1000));
        QCOMPARE(p.size, QSize(1500, 1000));
        QVERIFY(!p.position.has_value());
    }

    void aRunningInstanceKeepsTheLockAndADeadOnesLockIsTakenOver()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("instance.lock"));
        QLockFile first(path);
        QVERIFY(takeInstanceLock(first));
        QCOMPARE(first.staleLockTime(), 5000);
        QLockFile second(path);
        QVERIFY(!takeInstanceLock(second));
        first.unlock();
        QVERIFY(takeInstanceLock(second));
        second.unlock();

        // The lock of another process: refused while it runs, taken over once it is gone
        // and the lock is older than 5 s.
        QProcess holder;
        holder.start(QStringLiteral("sleep"), { QStringLiteral("30") });
        QVERIFY(holder.waitForStarted());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::number(holder.processId()) + "\nsleep\n"
                   + QSysInfo::machineHostName().toUtf8() + "\n");
        file.flush();
        QLockFile third(path);
        QVERIFY(!takeInstanceLock(third));
        holder.kill();
        QVERIFY(holder.waitForFinished());
        QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-10),
                                 QFileDevice::FileModificationTime));
        QVERIFY(takeInstanceLock(third));
    }

    // Renderer strings as the drivers report them: software rasterisers get Qt Quick's
    // software backend, hardware and host-backed virtual GPUs keep their own.
    void softwareRasterisersAreToldFromGpus_data()
    {
        QTest::addColumn<QString>("renderer");
        QTest::addColumn<bool>("software");
        QTest::newRow("Mesa llvmpipe") << "llvmpipe (LLVM 15.0.6, 256 bits)" << true;
        QTest::newRow("Mesa softpipe") << "softpipe" << true;
        QTest::newRow("WARP") << "Microsoft Basic Render Driver" << true;
        QTest::newRow("WSL through D3D12") << "D3D12 (Microsoft Basic Render Driver)" << true;
        QTest::newRow("Windows without a driver") << "GDI Generic" << true;
        QTest::newRow("Intel") << "Mesa Intel(R) UHD Graphics 620 (KBL GT2)" << false;
        QTest::newRow("VMware's host GPU") << "SVGA3D; build: RELEASE; LLVM;" << false;
        QTest::newRow("VirtualBox's host GPU") << "Chromium" << false;
        QTest::newRow("unreadable") << "" << false;
    }

    void softwareRasterisersAreToldFromGpus()
    {
        QFETCH(QString, renderer);
        QFETCH(bool, software);
        QCOMPARE(RenderSetup::isSoftwareRenderer(renderer), software);
    }

    void everyMessageIsAppendedAsOneBareLine()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("qml-error.log"));
        QVERIFY(test::writeFileBytes(path, "earlier run\n"));
        const QtMessageHandler previous = installDiagnosticLog(path);
        qDebug("debug %d", 1);
        qInfo() << "info";
        qCritical("Failed to load %s", "qrc:/Corvane/GCS/Main.qml");
        qWarning() << QStringLiteral("中文诊断");
        std::thread other([] { qWarning("from a worker"); });
        other.join();
        qInstallMessageHandler(previous);
        // No time, type or source location.
        QCOMPARE(test::readFileBytes(path),
                 "earlier run\ndebug 1\ninfo\nFailed to load qrc:/Corvane/GCS/Main.qml\n"
                     + QStringLiteral("\"中文诊断\"\n").toUtf8() + "from a worker\n");

        // A log that cannot be written drops the messages quietly.
        const QString nowhere = dir.filePath(QStringLiteral("missing-folder/qml-error.log"));
        const QtMessageHandler again = installDiagnosticLog(nowhere);
        qWarning("nowhere to go");
        qInstallMessageHandler(again);
        QVERIFY(!QFile::exists(nowhere));
    }
};

QTEST_GUILESS_MAIN(TestStartupShell)
#include "tst_startupshell.moc"
