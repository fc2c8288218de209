#include "app/Application.h"
#include "console/ConsoleLog.h"
#include "ins/InsBridge.h"
#include "record/Recorder.h"

#include "AppRig.h"
#include "FrameCounters.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using gcs::Application;
using gcs::ConsoleLog;
using namespace gcs::test;

/// The whole program against the simulated unit streaming numbered frames fast: the
/// controller connects as the window does, records while the raw-data page shows the
/// stream, and neither the recording loses a frame nor the console outgrows its caps.
class TestNothingLost : public QObject
{
    Q_OBJECT

private slots:
    void fastStreamIsRecordedWhileTheConsoleShowsIt()
    {
        constexpr int kRate = 2000;
        constexpr int kSeconds = 20;
        AppRig rig;
        QVERIFY2(rig.sim().start({ QStringLiteral("--rate"), QString::number(kRate) }),
                 qPrintable(rig.sim().errorText()));
        Application& app = rig.app();
        app.loadProfiles(QDir(binDir()).filePath(QStringLiteral("profiles")));
        app.setCurrentNav(QStringLiteral("raw"));
        QVERIFY2(rig.connectUntilRecords(QStringLiteral("sinsbin")), qPrintable(app.lastError()));

        // The console's buffers, looked at every time the view is told something.
        qsizetype maxText = 0, maxPending = 0, maxArchive = 0, maxChunk = 0;
        int chunks = 0;
        connect(&app, &Application::logAppended, this, [&](const QString& chunk) {
            const ConsoleLog& log = app.consoleLog();
            maxText = qMax(maxText, log.text().size());
            maxPending = qMax(maxPending, log.pendingRawBytes());
            maxArchive = qMax(maxArchive, log.archivedRawBytes());
            maxChunk = qMax(maxChunk, chunk.size());
            ++chunks;
        });

        QTemporaryDir out;
        QVERIFY2(app.startRecordInDir(out.path()), qPrintable(app.lastError()));
        gcs::Recorder* recorder = app.recorder();
        QVERIFY(QFileInfo(recorder->textPath()).fileName().startsWith(QStringLiteral("sinsbin_")));
        QTest::qWait(kSeconds * 1000);
        app.stopRecord();
        app.disconnectPrimary();
        disconnect(&app, &Application::logAppended, this, nullptr); // the counters go first

        QString error;
        const QList<quint32> raw
            = sinsbinCaptureCounters(readFileBytes(recorder->rawPath()), &error, kRate);
        QVERIFY2(!raw.isEmpty(), qPrintable(error));
        QCOMPARE(counterGap(raw), QString());
        const QList<quint32> lines
            = messageLogCounters(readFileBytes(recorder->textPath()), &error, kRate);
        QVERIFY2(!lines.isEmpty(), qPrintable(error));
        QCOMPARE(counterGap(lines), QString());
        // One line per frame of the raw file; the first line may be the frame whose head
        // arrived just before the start.
        QVERIFY(lines.first() == raw.first() || lines.first() + 1 == raw.first());
        QCOMPARE(lines.last(), raw.last());
        QVERIFY(raw.size() > 1000);

        // The console kept up in batches and within its caps.
        QVERIFY(chunks > kSeconds);
        QVERIFY(maxPending <= ConsoleLog::kMaxPendingRaw && maxText <= ConsoleLog::kMaxTextChars
                && maxArchive <= ConsoleLog::kMaxArchiveBytes);
        // A chunk is at most a banner and one rendered batch.
        QVERIFY(maxChunk <= ConsoleLog::kBatchBytes + 64);
    }
};

QTEST_GUILESS_MAIN(TestNothingLost)
#include "tst_nothinglost.moc"
