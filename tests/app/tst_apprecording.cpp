#include "app/Application.h"
#include "ins/InsBridge.h"
#include "ins/TelemetryHub.h"
#include "link/Session.h"
#include "record/Recorder.h"

#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using gcs::Application;
using gcs::test::EnvOverride;
using gcs::test::readFileBytes;

namespace {

/// A 59-byte navigation frame with a valid checksum.
QByteArray sinsFrame(quint8 fill)
{
    QByteArray frame(59, char(fill));
    frame[0] = char(0xAA);
    frame[1] = char(0x55);
    quint8 sum = 0;
    for (int i = 0; i < 58; ++i)
        sum = quint8(sum + quint8(frame[i]));
    frame[58] = char(quint8(0 - sum));
    return frame;
}

} // namespace

/// Recording as the record page drives it through the controller.
class TestAppRecording : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<EnvOverride> m_env;
    std::unique_ptr<Application> m_app;
    std::unique_ptr<QTemporaryDir> m_out;

    void addPrimaryLink()
    {
        QVERIFY(m_app->connectUdp(QStringLiteral("127.0.0.1"), 0, QStringLiteral("127.0.0.1"), 9));
    }

private slots:
    void init()
    {
        m_home = std::make_unique<QTemporaryDir>();
        m_env = std::make_unique<EnvOverride>("LOCALAPPDATA", m_home->path().toLocal8Bit());
        m_app = std::make_unique<Application>();
        m_out = std::make_unique<QTemporaryDir>();
    }

    void cleanup()
    {
        m_app.reset();
        m_env.reset();
        m_home.reset();
        m_out.reset();
    }

    void recordingNeedsAConnectedDevice()
    {
        QSignalSpy recording(m_app->recorder(), &gcs::Recorder::recordingChanged);
        QVERIFY(!m_app->startRecordInDir(m_out->path()));
        QCOMPARE(m_app->lastError(), QStringLiteral("请先连接设备后再开始记录"));
        QVERIFY(!m_app->startRecord(m_out->filePath(QStringLiteral("a.csv")),
                                    m_out->filePath(QStringLiteral("a.bin"))));
        QCOMPARE(m_app->lastError(), QStringLiteral("请先连接设备后再开始记录"));
        QCOMPARE(recording.count(), 0);
        QVERIFY(QDir(m_out->path()).isEmpty());
    }

    void receivedDataReachesBothFiles()
    {
        addPrimaryLink();
        // Before the first message the format is not known: the INS prefix.
        QVERIFY(m_app->startRecordInDir(m_out->path()));
        QVERIFY(
            QFileInfo(m_app->recorder()->textPath()).fileName().startsWith(QStringLiteral("ins_")));
        m_app->stopRecord();

        // What the controller's receive path hands on: raw bytes through the hub, decoded
        // messages from the bridge's decoder.
        const QByteArray frame = sinsFrame(0x11);
        m_app->ins()->feed(frame);
        QCOMPARE(m_app->ins()->packetFormat(), QStringLiteral("sinsbin"));
        QVERIFY(m_app->startRecordInDir(m_out->path()));
        gcs::Recorder* rec = m_app->recorder();
        QVERIFY(QFileInfo(rec->textPath()).fileName().startsWith(QStringLiteral("sinsbin_")));
        QVERIFY(rec->insColumns());
        const QByteArray frames = frame + sinsFrame(0x22);
        const QByteArray sentence("#vorn,sins,1*ff\r\n");
        for (const QByteArray& chunk : { frames, sentence }) {
            m_app->hub()->ingestRaw(chunk);
            m_app->ins()->feed(chunk);
        }
        const QByteArray chunk = frames + sentence;
        m_app->stopRecord();
        QVERIFY(!rec->recording());

        QCOMPARE(readFileBytes(rec->rawPath()), chunk);
        const QStringList lines
            = QString::fromUtf8(readFileBytes(rec->textPath())).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines.at(0).endsWith(QString::fromLatin1(frame.toHex(' '))));
        QVERIFY(lines.at(2).endsWith(QStringLiteral(" #vorn,sins,1*ff")));
    }

    void fileProblemsAreTold()
    {
        addPrimaryLink();
        const QString missing = m_out->filePath(QStringLiteral("gone"));
        QVERIFY(!m_app->startRecordInDir(missing));
        QVERIFY(m_app->lastError().startsWith(QStringLiteral("无法创建记录文件：")));
        QVERIFY(m_app->lastError().contains(QDir::toNativeSeparators(missing)));

        // Without its raw file the recording runs, and says what is missing.
        const QString badRaw = m_out->filePath(QStringLiteral("gone/x.bin"));
        QVERIFY(m_app->startRecord(m_out->filePath(QStringLiteral("x.txt")), badRaw));
        QVERIFY(m_app->recorder()->recording());
        QVERIFY(m_app->lastError().contains(QDir::toNativeSeparators(badRaw)));
        m_app->stopRecord();

        if (!QFileInfo::exists(QStringLiteral("/dev/full")))
            QSKIP("needs /dev/full, a device on which every write fails");
        QVERIFY(m_app->startRecord(QStringLiteral("/dev/full"),
                                   m_out->filePath(QStringLiteral("y.bin"))));
        QSignalSpy errors(m_app.get(), &Application::lastErrorChanged);
        m_app->ins()->feed(QByteArray("#vorn,sins,1*ff\r\n").repeated(2000));
        QVERIFY(errors.wait(2000)); // the next disk flush finds the full device
        QVERIFY(m_app->lastError().startsWith(QStringLiteral("记录文件写入失败：/dev/full")));
        m_app->stopRecord();
    }
};

QTEST_GUILESS_MAIN(TestAppRecording)
#include "tst_apprecording.moc"
