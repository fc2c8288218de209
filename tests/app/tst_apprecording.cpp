#include "app/Application.h"
#include "ins/InsBridge.h"
#include "record/Recorder.h"

#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using gcs::Application;

/// Recording as the record page drives it through the controller: the connection it
/// needs, the files named after the format, and the reports of file problems. What is
/// recorded from a unit is checked end to end by tst_recordingexport.
class TestAppRecording : public QObject
{
    Q_OBJECT

private slots:
    void recordingNeedsAConnectionAndNamesItsFiles()
    {
        QTemporaryDir home;
        gcs::test::EnvOverride env("LOCALAPPDATA", home.path().toLocal8Bit());
        Application app;
        QVERIFY(!app.startRecordInDir(home.path()));
        QCOMPARE(app.lastError(), QStringLiteral("请先连接设备后再开始记录"));
        QVERIFY(!app.startRecord(home.filePath("a.csv"), home.filePath("a.bin")));
        QCOMPARE(app.lastError(), QStringLiteral("请先连接设备后再开始记录"));
        QVERIFY(!QFileInfo::exists(home.filePath("a.csv")));

        QVERIFY(app.connectUdp("127.0.0.1", 0, "127.0.0.1", 9));
        // Before the first message the format is not known: the INS prefix; after it the
        // format's name.
        QVERIFY(app.startRecordInDir(home.path()));
        QVERIFY(QFileInfo(app.recorder()->textPath()).fileName().startsWith("ins_"));
        app.stopRecord();
        QByteArray frame(59, '\x11');
        frame[0] = char(0xAA);
        frame[1] = char(0x55);
        frame[58] = char(quint8(0 - (0xAA + 0x55 + 56 * 0x11)));
        app.ins()->feed(frame);
        QVERIFY(app.startRecordInDir(home.path()));
        QVERIFY(QFileInfo(app.recorder()->textPath()).fileName().startsWith("sinsbin_"));
        QVERIFY(app.recorder()->insColumns());
        app.stopRecord();

        const QString missing = home.filePath("gone");
        QVERIFY(!app.startRecordInDir(missing));
        QVERIFY(app.lastError().startsWith(QStringLiteral("无法创建记录文件：")));
        QVERIFY(app.lastError().contains(QDir::toNativeSeparators(missing)));
        // Without its raw file the recording runs, and says what is missing.
        QVERIFY(app.startRecord(home.filePath("x.txt"), home.filePath("gone/x.bin")));
        QVERIFY(app.lastError().contains(QDir::toNativeSeparators(home.filePath("gone/x.bin"))));
        app.stopRecord();

        if (!QFileInfo::exists(QStringLiteral("/dev/full")))
            QSKIP("needs /dev/full, a device on which every write fails");
        QVERIFY(app.startRecord(QStringLiteral("/dev/full"), home.filePath("y.bin")));
        QSignalSpy errors(&app, &Application::lastErrorChanged);
        app.ins()->feed(QByteArray("#vorn,sins,1*ff\r\n").repeated(2000));
        QVERIFY(errors.wait(2000)); // the next disk flush finds the full device
        QVERIFY(app.lastError().startsWith(QStringLiteral("记录文件写入失败：/dev/full")));
        app.stopRecord();
    }
};

QTEST_GUILESS_MAIN(TestAppRecording)
#include "tst_apprecording.moc"
