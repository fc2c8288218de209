#include "AppRig.h"

#include "app/Application.h"
#include "capture/CaptureExportTask.h"
#include "capture/CaptureReader.h"
#include "capture/CaptureReport.h"
#include "ins/InsBridge.h"
#include "record/Recorder.h"

#include <QSignalSpy>
#include <QTest>

using namespace gcs::test;
using gcs::Application;

/// Recording and its export as the record page drives them through the controller, on
/// telvo-sim's text sentences over a real serial line: the connection a recording needs,
/// its files named after the format and the reports of file problems; every sentence
/// recorded (their time tags run without a gap); CSV and KML of the recording just made
/// through the controller's file chooser; the live counters against the recording's;
/// a large export cancelled.
class TestRecordingExport : public QObject
{
    Q_OBJECT

private slots:
    void recordingFromTheSimulatorIsExported()
    {
        AppRig rig;
        const SettingsHome& home = rig;
        QVERIFY2(rig.sim().start({ "--format", "sinsasc", "--rate", "200" }),
                 qPrintable(rig.sim().errorText()));
        Application& app = rig.app();
        QStringList answers;
        app.setFileChooser([&](auto kind, const QString&, const QString&) {
            return kind == gcs::FileDialogs::Kind::Directory ? home.path() : answers.takeFirst();
        });
        QVERIFY(!app.startRecordInDir(home.path()));
        QCOMPARE(app.lastError(), QStringLiteral("请先连接设备后再开始记录"));
        QVERIFY(!app.exportRecording("csv"));
        QVERIFY2(rig.connectUntilRecords("sinsasc"), qPrintable(app.lastError()));
        QVERIFY(!app.startRecordInDir(home.filePath("gone")));
        QVERIFY(app.lastError().startsWith(QStringLiteral("无法创建记录文件：")
                                           + QDir::toNativeSeparators(home.filePath("gone"))));

        app.ins()->resetStats(); // counted from the start of the recording on, live
        QVERIFY2(app.startRecordInDir(home.path()), qPrintable(app.lastError()));
        QVERIFY(QFileInfo(app.recorder()->textPath()).fileName().startsWith("sinsasc_"));
        QVERIFY(!app.exportRecording("csv"));
        QCOMPARE(app.lastError(), QStringLiteral("请先停止记录再导出"));
        QVERIFY(waitUntil([&] { return app.ins()->integrity().value("sentences").toInt() >= 400; },
                          20000));
        app.stopRecord();
        const QVariantMap live = app.ins()->integrity();
        QCOMPARE(app.lastRecordingPath(), app.recorder()->textPath());

        // The raw file holds the bytes the live counters saw; only a sentence cut by the
        // start or the end counts differently. The log holds every sentence.
        const gcs::CaptureReport raw = gcs::CaptureReport::read(app.recorder()->rawPath());
        QCOMPARE(raw.counters.bytes, live.value("bytes").toLongLong());
        QVERIFY(qAbs(raw.counters.sentences - live.value("sentences").toLongLong()) <= 1);
        QCOMPARE(raw.counters.textErrors, 0);
        gcs::CaptureReader reader;
        QVERIFY(reader.open(app.lastRecordingPath()));
        gcs::CaptureRecord record;
        qint64 records = 0;
        // One period of 200 frames/s between tags of 0.1 ms: no sentence is missing.
        for (double utc = -1; reader.next(record); utc = record.record.utc, ++records)
            QVERIFY2(utc < 0 || record.record.utc == utc + 50, qPrintable(QString::number(utc)));

        gcs::CaptureExportTask* task = app.captureExport();
        QSignalSpy finished(task, &gcs::CaptureExportTask::finished);
        for (const char* format : { "csv", "kml" }) {
            answers << home.filePath("table"); // the suffix is added
            QVERIFY(app.exportRecording(format) && task->busy());
            QVERIFY(finished.wait(30000));
            QVERIFY2(finished.last().at(0).toBool(), qPrintable(finished.last().at(1).toString()));
            QCOMPARE(task->lastOutput(), home.filePath(QStringLiteral("table.") + format));
            QCOMPARE(app.userNotice(), finished.last().at(1).toString());
        }
        QCOMPARE(readFileBytes(home.filePath("table.csv")).count('\n'), records + 1);
        QCOMPARE(task->progress(), 1.0);

        // A large capture: the worker reports progress and stops when cancelled.
        const QByteArray unit = readFileBytes(app.recorder()->rawPath());
        const QString big = home.filePath("big.bin");
        QVERIFY(writeFileBytes(big, unit.repeated(int((96 << 20) / unit.size()))));
        QSignalSpy progress(task, &gcs::CaptureExportTask::progressChanged);
        answers << home.filePath("big.csv");
        QVERIFY(app.exportCaptureFile(big, "csv"));
        QVERIFY(progress.wait(30000));
        QVERIFY(!app.exportCaptureFile(big, "kml"));
        QCOMPARE(app.lastError(), QStringLiteral("正在导出，请等待完成或先取消"));
        app.cancelExport();
        QVERIFY(finished.wait(30000));
        QVERIFY(task->lastResult().cancelled && !finished.last().at(0).toBool());
        QCOMPARE(app.userNotice(), QStringLiteral("已取消导出"));
        QVERIFY(!QFileInfo::exists(home.filePath("big.csv")));
        QVERIFY(!app.exportCaptureFile(big, "xls"));
        QVERIFY(app.lastError().startsWith(QStringLiteral("不支持的导出格式")));
        // The export may not take the place of its source; no file chosen, no export.
        answers << home.filePath("table.csv") << QString();
        QVERIFY(!app.exportCaptureFile(home.filePath("table.csv"), "csv"));
        QVERIFY(app.lastError().startsWith(QStringLiteral("导出文件不能覆盖记录文件本身")));
        QVERIFY(!app.exportCaptureFile(big, "csv") && !task->busy());
        QVERIFY(!app.openReplay(home.filePath("none.bin")));
        QCOMPARE(app.lastError(), QStringLiteral("记录文件不存在：") + home.filePath("none.bin"));

        // Without its raw file a recording runs and says so; a write that fails is told.
        QVERIFY(app.startRecord(home.filePath("x.txt"), home.filePath("gone/x.bin")));
        QVERIFY(app.lastError().contains(QDir::toNativeSeparators(home.filePath("gone/x.bin"))));
        if (!QFileInfo::exists("/dev/full"))
            QSKIP("needs /dev/full, a device on which every write fails");
        QVERIFY(app.startRecord("/dev/full", home.filePath("y.bin")));
        QSignalSpy errors(&app, &Application::lastErrorChanged);
        QVERIFY(errors.wait(5000)); // the next disk flush finds the full device
        QVERIFY(app.lastError().startsWith(QStringLiteral("记录文件写入失败：/dev/full")));

        // An empty file holds nothing to replay: the window says so instead of playing it.
        QVERIFY(writeFileBytes(home.filePath("empty.bin"), QByteArray()));
        QVERIFY(!app.openReplay(home.filePath("empty.bin")));
        QVERIFY2(app.lastError().contains(QStringLiteral("是空的")), qPrintable(app.lastError()));
    }
};

QTEST_GUILESS_MAIN(TestRecordingExport)
#include "tst_recordingexport.moc"
