// The record page's export through the controller, on a recording of telvo-sim's text
// sentences over a real serial line: every sentence arrives and is recorded (their time
// tags run without a gap), CSV and KML of the recording just made, the file dialogs
// through the controller's chooser, the live counters against the recording's, and a
// large export cancelled.
#include "TestSupport.h"

#include "app/Application.h"
#include "capture/CaptureExportTask.h"
#include "capture/CaptureReader.h"
#include "capture/CaptureReport.h"
#include "ins/InsBridge.h"
#include "record/Recorder.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using gcs::Application;
using gcs::test::readFileBytes;
using gcs::test::waitUntil;

class TestRecordingExport : public QObject
{
    Q_OBJECT

private slots:
    void recordingFromTheSimulatorIsExported()
    {
        QTemporaryDir home;
        gcs::test::EnvOverride env("LOCALAPPDATA", home.path().toLocal8Bit());
        gcs::test::SimProcess sim;
        QVERIFY2(sim.start({ "--format", "sinsasc", "--rate", "200" }),
                 qPrintable(sim.errorText()));
        Application app;
        QStringList answers;
        app.setFileChooser([&](gcs::FileDialogs::Kind kind, const QString&, const QString&) {
            return kind == gcs::FileDialogs::Kind::Directory ? home.path() : answers.takeFirst();
        });
        QVERIFY(app.connectSerial(sim.port(), 115200));
        QVERIFY2(
            waitUntil([&] { return app.ins()->packetFormat() == QLatin1String("sinsasc"); }, 20000),
            qPrintable(app.lastError()));

        // Counted from the start of the recording on, live.
        app.ins()->resetStats();
        QVERIFY2(app.startRecordInDir(home.path()), qPrintable(app.lastError()));
        QVERIFY(!app.exportRecording("csv"));
        QCOMPARE(app.lastError(), QStringLiteral("请先停止记录再导出"));
        QVERIFY(waitUntil([&] { return app.ins()->integrity().value("sentences").toInt() >= 400; },
                          20000));
        app.stopRecord();
        const QVariantMap live = app.ins()->integrity();
        app.disconnectPrimary();
        QCOMPARE(app.lastRecordingPath(), app.recorder()->textPath());

        // The recording's raw file holds the bytes the live counters saw; only a frame
        // cut by the start or the end counts differently.
        const gcs::CaptureReport raw = gcs::CaptureReport::read(app.recorder()->rawPath());
        QCOMPARE(raw.counters.bytes, live.value("bytes").toLongLong());
        QVERIFY(qAbs(raw.counters.sentences - live.value("sentences").toLongLong()) <= 1);
        QCOMPARE(raw.counters.textErrors, 0);
        gcs::CaptureReader reader;
        QVERIFY(reader.open(app.lastRecordingPath()));
        gcs::CaptureRecord record;
        for (double utc = -1; reader.next(record); utc = record.record.utc)
            QVERIFY2(utc < 0 || record.record.utc == utc + 1, qPrintable(QString::number(utc)));

        gcs::CaptureExportTask* task = app.captureExport();
        QSignalSpy finished(task, &gcs::CaptureExportTask::finished);
        QSignalSpy notices(&app, &Application::userNoticeChanged);
        const gcs::CaptureReport log = gcs::CaptureReport::read(app.lastRecordingPath());
        QVERIFY(log.records >= 400);
        for (const char* format : { "csv", "kml" }) {
            answers << home.filePath("table"); // the suffix is added
            QVERIFY(app.exportRecording(format));
            QVERIFY(task->busy());
            QVERIFY(finished.wait(30000));
            QVERIFY2(finished.last().at(0).toBool(), qPrintable(finished.last().at(1).toString()));
            const QString out = home.filePath(QStringLiteral("table.") + format);
            QCOMPARE(task->lastOutput(), out);
            QCOMPARE(notices.count(), finished.count());
            QVERIFY2(app.userNotice().contains(QStringLiteral("%1 ").arg(log.records)),
                     qPrintable(app.userNotice()));
        }
        QCOMPARE(readFileBytes(home.filePath("table.csv")).count('\n'), log.records + 1);
        QCOMPARE(task->progress(), 1.0);

        // A large capture: the worker reports progress and stops when cancelled.
        const QByteArray unit = readFileBytes(app.recorder()->rawPath());
        const QString big = home.filePath("big.bin");
        QVERIFY(gcs::test::writeFileBytes(big, unit.repeated(int((96 << 20) / unit.size()))));
        QSignalSpy progress(task, &gcs::CaptureExportTask::progressChanged);
        answers << home.filePath("big.csv");
        QVERIFY(app.exportCaptureFile(big, "csv"));
        QVERIFY(progress.wait(30000));
        app.cancelExport();
        QVERIFY(finished.wait(30000));
        QVERIFY(!finished.last().at(0).toBool());
        QVERIFY(task->lastResult().cancelled);
        QCOMPARE(app.userNotice(), QStringLiteral("已取消导出"));
        QVERIFY(!QFileInfo::exists(home.filePath("big.csv")));

        QVERIFY(!app.exportCaptureFile(big, "xls"));
        QVERIFY(app.lastError().startsWith(QStringLiteral("不支持的导出格式")));
    }
};

QTEST_GUILESS_MAIN(TestRecordingExport)
#include "tst_recordingexport.moc"
