// The text path of the INS decoder: "#vorn" sentences, configuration replies, unknown
// lines, partial lines and the bound on a line that never ends.
#include "InsTestStreams.h"
#include "TestSupport.h"

#include "ins/RecDataModel.h"

#include <QSignalSpy>
#include <QTest>

using gcs::test::InsEventLog;
using gcs::test::InsStream;
using gcs::test::loadInsStream;

class TestRecTextStream : public QObject
{
    Q_OBJECT

private slots:
    void recordedSentencesDecodeAsExpected_data()
    {
        QTest::addColumn<int>("chunk");
        for (int chunk : { 0, 1, 3, 5, 64, 4096 })
            QTest::addRow("chunk %d", chunk) << chunk;
    }

    // Every sentence kind and reply of the grammar, with wrong field counts, names in
    // capitals, unknown messages and an unterminated last line.
    void recordedSentencesDecodeAsExpected()
    {
        QFETCH(int, chunk);
        const InsStream s = loadInsStream(QStringLiteral("text_sentences"));
        QVERIFY2(s.error.isEmpty(), qPrintable(s.error));
        RecDataModel model;
        InsEventLog log(&model);
        gcs::test::feedChunked(model, s.bytes, chunk);
        const QString diff = gcs::test::compareInsEvents(log.events, s.events);
        QVERIFY2(diff.isEmpty(), qPrintable(diff));
        QCOMPARE(model.recPackets(), s.packets);
        QCOMPARE(model.packetErrs(), s.errors);
        QCOMPARE(model.recBytes(), s.bytesTotal);
        // The last line has no line feed yet; it waits, starting with its carriage return.
        QCOMPARE(model.receiveBuffer(), QByteArray("\r#vorn,softver,V9.9.9*ff"));
        model.anaylzeRec("\r\n");
        QCOMPARE(log.events.last().value("text").toString(), QStringLiteral("V9.9.9"));
        QVERIFY(model.receiveBuffer().isEmpty());
    }

    void halfALineWaitsForTheRest()
    {
        RecDataModel model;
        QSignalSpy values(&model, &RecDataModel::newValue);
        QSignalSpy versions(&model, &RecDataModel::newSoftVerValue);
        model.anaylzeRec("#vorn,imu,1,2,3,4,5,6,7,8*ff\r\n#vorn,softver,V1.0.2*ff\r\n#vorn,sins");
        QCOMPARE(values.count(), 1);
        QCOMPARE(versions.count(), 1);
        QCOMPARE(model.receiveBuffer(), QByteArray("#vorn,sins"));
        model.anaylzeRec(",5,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19*ff\r\n");
        QCOMPARE(values.count(), 2);
        const RecDataStruct r = values.at(1).at(0).value<RecDataStruct>();
        QCOMPARE(r.format, RecSinsAsc);
        QCOMPARE(r.gx, 1.0f);
        QCOMPARE(r.status, quint8(0x19));
        QVERIFY(model.receiveBuffer().isEmpty());
    }

    void wireLinesLoseOnlyTheirLineEnd()
    {
        RecDataModel model;
        QSignalSpy wires(&model, &RecDataModel::wireFrameForLog);
        model.anaylzeRec("#vorn,imu,1,2,3,4,5,6,7,8*ff  \r\r\n");
        QCOMPARE(wires.count(), 1);
        QCOMPARE(wires.at(0).at(0).toByteArray(), QByteArray("#vorn,imu,1,2,3,4,5,6,7,8*ff  "));
        QCOMPARE(wires.at(0).at(1).toLongLong(), model.hostRxMs());
    }

    // A stray "#vorn" followed by anything but a line feed: the line is dropped once it
    // passes the cap, counted as a packet error, and the sentences after it decode.
    void unterminatedLineIsBounded()
    {
        RecDataModel model;
        QSignalSpy versions(&model, &RecDataModel::newSoftVerValue);
        // Every chunk holds "#vorn", so every chunk takes the text path: 1 MiB, and never
        // a line feed.
        const QByteArray chunk = "#vorn," + QByteArray(4090, 'x');
        qsizetype largest = 0;
        for (int i = 0; i < 256; ++i) {
            model.anaylzeRec(chunk);
            largest = qMax(largest, model.receiveBuffer().size());
        }
        QVERIFY(largest <= RecDataModel::kMaxLineBytes);
        QVERIFY2(model.packetErrs() >= 14 && model.packetErrs() <= 16,
                 qPrintable(QString::number(model.packetErrs())));
        model.anaylzeRec("\r\n#vorn,softver,V3.0.1*ff\r\n");
        QCOMPARE(versions.count(), 1);
        QCOMPARE(versions.at(0).at(0).toString(), QStringLiteral("V3.0.1"));

        // In one chunk: dropped at once.
        RecDataModel once;
        once.anaylzeRec("#vorn" + QByteArray(200000, 'y'));
        QVERIFY(once.receiveBuffer().isEmpty());
        QCOMPARE(once.packetErrs(), 1);
    }

    // A long line that does end is still a line.
    void longTerminatedLineIsHandled()
    {
        RecDataModel model;
        QSignalSpy wires(&model, &RecDataModel::wireFrameForLog);
        const QByteArray line = "#vorn,hello," + QByteArray(100000, 'z') + "*ff\r\n";
        model.anaylzeRec(line);
        QCOMPARE(model.packetErrs(), 1);
        QCOMPARE(wires.count(), 1);
        QCOMPARE(wires.at(0).at(0).toByteArray().size(), line.size() - 2);
    }

    // Binary frames that share the buffer with a sentence are read as text lines; once
    // the buffer holds no "#vorn" any more, frames decode again.
    void framesSharingTheBufferWithASentenceAreReadAsLines()
    {
        const InsStream s = loadInsStream(QStringLiteral("sinsbin"));
        QVERIFY2(s.error.isEmpty(), qPrintable(s.error));
        RecDataModel model;
        QSignalSpy values(&model, &RecDataModel::newValue);
        QSignalSpy versions(&model, &RecDataModel::newSoftVerValue);
        model.anaylzeRec(s.bytes.left(59 * 4) + "\n#vorn,softver,V1*ff\r\n");
        QCOMPARE(values.count(), 0);
        QCOMPARE(versions.count(), 1);
        model.anaylzeRec(s.bytes.mid(59 * 4, 59 * 4));
        QCOMPARE(values.count(), 4);
    }

    void configurationExtractorsAtTheirBounds()
    {
        auto split = [](const char* line) { return QString::fromLatin1(line).split(','); };
        // gnm: x only with its label; y and z by position; more than five fields: nothing.
        RecConfigInstallStruct i
            = RecDataModel::extractConfigInstall(split("#vorn,gnm,ka1:2.5*ff"));
        QCOMPARE(i.x, 0.0); // "2.5*ff" does not parse
        i = RecDataModel::extractConfigInstall(split("#vorn,gnm,ka1:2.5,7"));
        QCOMPARE(i.x, 2.5);
        QCOMPARE(i.y, 7.0);
        QCOMPARE(i.z, 0.0);
        i = RecDataModel::extractConfigInstall(split("#vorn,gnm"));
        QCOMPARE(i.x, 0.0);
        // axis: the text after the first colon; the last one also before its "*".
        QCOMPARE(RecDataModel::extractConfigAxis(split("#vorn,axis,a:b:c,Y,z:-Z*ff")),
                 QList<QString>({ "b:c", "Y", "-Z" }));
        // gnss and extrapolation: exactly three fields.
        QCOMPARE(RecDataModel::extract_dyawGNSS(split("#vorn,gnss,-3.5")), -3.5);
        QCOMPARE(RecDataModel::extractExtrapTime(split("#vorn,extrapolate time")), 0.0);
        // com1: the label must be present, the value is read in base 10.
        const RecConfigSerialStruct c
            = RecDataModel::extractConfigSerial(split("#vorn,com1,mode:422,rate:9,fre:0x10,x*ff"));
        QCOMPARE(c.serialType, 422);
        QCOMPARE(c.baudRate, 0);
        QCOMPARE(c.packetFre, 0);
        QCOMPARE(c.packetFormat, RecNullFormat);
        // sinsasc status: hexadecimal, its low eight bits.
        QList<QString> f
            = split("#vorn,sinsasc,0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,12345678*ff");
        QCOMPARE(f.size(), 22);
        QCOMPARE(RecDataModel::extractSinsasc(f).status, quint8(0x78));
        QCOMPARE(RecDataModel::extractSinsasc(f).temp, 17.0f);
    }
};

QTEST_GUILESS_MAIN(TestRecTextStream)
#include "tst_rectextstream.moc"
