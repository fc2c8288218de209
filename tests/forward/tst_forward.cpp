#include "capture/CsvExporter.h"
#include "forward/Forwarder.h"
#include "forward/NmeaServer.h"
#include "ins/RecDataModel.h"
#include "replay/ReplayController.h"

#include "AppRig.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkDatagram>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUdpSocket>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>

using gcs::Application;
using gcs::Forwarder;
using namespace gcs::test;

namespace {

quint16 freeTcpPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

/// The record's CSV row as the export writes it: column name to cell, number cells only.
QMap<QString, QByteArray> csvNumbers(const RecDataStruct& record)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    gcs::CsvExporter csv(&out);
    gcs::CaptureRecord c;
    c.record = record;
    csv.begin();
    csv.add(c);
    csv.finish();
    const QList<QByteArray> lines = out.data().mid(3).split('\n');
    const QList<QByteArray> names = lines.at(0).trimmed().split(','),
                            cells = lines.at(1).trimmed().split(',');
    QMap<QString, QByteArray> numbers;
    for (int i = 0; i < names.size(); ++i) {
        bool number = false;
        cells.value(i).toDouble(&number);
        // The time cell is the recording's time axis, not a value of the record.
        if (number && names.at(i) != "time")
            numbers.insert(QString::fromLatin1(names.at(i)), cells.value(i));
    }
    return numbers;
}

/// Equal at the decoder's precision: within two units of the last place of its type.
bool sameAsDecoded(double value, const QVariant& decoded)
{
    const double d = decoded.toDouble();
    const double ulp = decoded.typeId() == QMetaType::Float ? 1.2e-7 : 2.3e-16;
    return std::fabs(value - d) <= 2 * ulp * std::max(std::fabs(d), 1e-30);
}

/// A "$...*hh\r\n" sentence whose checksum is right.
bool checksumOk(const QByteArray& line)
{
    const qsizetype star = line.lastIndexOf('*');
    if (!line.startsWith('$') || !line.endsWith("\r\n") || star != line.size() - 5)
        return false;
    quint8 sum = 0;
    for (qsizetype i = 1; i < star; ++i)
        sum ^= quint8(line.at(i));
    return line.mid(star + 1, 2) == QByteArray::number(sum, 16).rightJustified(2, '0').toUpper();
}

/// "ddmm.mmmm" and its hemisphere as degrees.
double nmeaDegrees(const QByteArray& value, const QByteArray& hemisphere, int degDigits)
{
    const double d = value.left(degDigits).toDouble() + value.mid(degDigits).toDouble() / 60.0;
    return hemisphere == "S" || hemisphere == "W" ? -d : d;
}

/// The sentences of a TCP client's stream, whole lines only.
QList<QList<QByteArray>> sentences(const QByteArray& stream, int* bad)
{
    QList<QList<QByteArray>> out;
    for (QByteArray line : stream.left(stream.lastIndexOf('\n') + 1).split('\n')) {
        if (line.isEmpty())
            continue;
        line += '\n';
        if (!checksumOk(line))
            ++*bad;
        out << line.left(line.indexOf('*')).split(',');
    }
    return out;
}

} // namespace

/// The forwarder on loopback sockets against the simulated unit: through the controller,
/// as the window uses it, and through telvo-cli forward.
class TestForward : public QObject
{
    Q_OBJECT

    QList<RecDataStruct> m_records;
    void collect(Application& app)
    {
        m_records.clear();
        connect(app.ins()->model(), &RecDataModel::newValue, this,
                [this](const RecDataStruct& r) { m_records << r; });
    }

private slots:
    // Every record, live or replayed, is one datagram whose keys and values are the CSV
    // export's, at the decoder's precision.
    void everyRecordIsOneDatagramOfTheExportsValues_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<bool>("replay");
        QTest::newRow("sinsbin live") << "sinsbin" << false;
        QTest::newRow("imubin live") << "imubin" << false;
        QTest::newRow("ahrsasc live") << "ahrsasc" << false;
        QTest::newRow("sinsasc replayed") << "sinsasc" << true;
    }
    void everyRecordIsOneDatagramOfTheExportsValues()
    {
        QFETCH(QString, format);
        QFETCH(bool, replay);
        AppRig rig;
        Application& app = rig.app();
        QUdpSocket plot;
        QVERIFY(plot.bind(QHostAddress::LocalHost, 0));
        QList<QByteArray> datagrams;
        connect(&plot, &QUdpSocket::readyRead, this, [&]() {
            while (plot.hasPendingDatagrams())
                datagrams << plot.receiveDatagram().data();
        });
        QVERIFY(app.forward()->setUdp(true, QStringLiteral("localhost"), plot.localPort()));
        QTRY_COMPARE(app.forward()->udpState(), int(Forwarder::Working));
        collect(app);
        const qint64 before = QDateTime::currentMSecsSinceEpoch();
        const QStringList stream { "--format", format, "--rate", "200" };
        if (replay) {
            const QString path = rig.filePath(QStringLiteral("drive.bin"));
            QProcess sim;
            sim.start(QDir(binDir()).filePath("telvo-sim"),
                      stream + QStringList { "--seconds", "2", "--to-file", path });
            QVERIFY(sim.waitForFinished(20000) && sim.exitCode() == 0);
            QVERIFY2(app.openReplay(path), qPrintable(app.lastError()));
            QVERIFY(waitUntil([&]() { return !m_records.isEmpty() && !app.replay()->playing(); },
                              10000));
        } else {
            QVERIFY2(rig.sim().start(stream), qPrintable(rig.sim().errorText()));
            QVERIFY2(rig.connectUntilRecords(format), qPrintable(app.lastError()));
            QTest::qWait(2000);
            app.disconnectPrimary();
        }
        QVERIFY(waitUntil([&]() { return datagrams.size() >= m_records.size(); }, 5000));
        QVERIFY2(m_records.size() >= 350, qPrintable(QString::number(m_records.size())));
        QCOMPARE(datagrams.size(), m_records.size());
        const qint64 after = QDateTime::currentMSecsSinceEpoch();
        for (int i = 0; i < m_records.size(); ++i) {
            QJsonParseError error;
            const QJsonObject json = QJsonDocument::fromJson(datagrams.at(i), &error).object();
            QVERIFY2(error.error == QJsonParseError::NoError, datagrams.at(i).constData());
            const double t = json.value("t").toDouble() * 1000;
            QVERIFY(t >= before - 1 && t <= after + 1);
            const QMap<QString, QByteArray> csv = csvNumbers(m_records.at(i));
            QStringList keys = json.keys();
            keys.removeOne("t");
            QCOMPARE(keys, csv.keys());
            const QVariantMap decoded = gcs::InsBridge::toSnapshot(m_records.at(i)).fields;
            for (const QString& key : keys) {
                QCOMPARE(json.value(key).toDouble(), csv.value(key).toDouble());
                QVERIFY2(sameAsDecoded(json.value(key).toDouble(), decoded.value(key)),
                         qPrintable(key + ": " + datagrams.at(i)));
            }
        }
    }

    // The NMEA sentences parse, carry the record's position, speed, course and heading,
    // and come at the rate asked for, never faster than the records.
    void nmeaSentencesCarryTheUnitsSolution_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<int>("recordRate");
        QTest::addColumn<double>("nmeaRate");
        QTest::addColumn<QString>("kinds"); // of each set of sentences
        QTest::newRow("sinsbin at 10 Hz") << "sinsbin" << 200 << 10.0 << "GGA RMC VTG HDT";
        QTest::newRow("never faster than records") << "sinsbin" << 50 << 100.0 << "GGA RMC VTG HDT";
        QTest::newRow("sinsasc at 2 Hz") << "sinsasc" << 100 << 2.0 << "GGA RMC VTG HDT";
        QTest::newRow("no position, only heading") << "ahrsasc" << 100 << 10.0 << "HDT";
        QTest::newRow("no attitude, nothing") << "imubin" << 100 << 10.0 << "";
    }
    void nmeaSentencesCarryTheUnitsSolution()
    {
        QFETCH(QString, format);
        QFETCH(int, recordRate);
        QFETCH(double, nmeaRate);
        QFETCH(QString, kinds);
        AppRig rig;
        Application& app = rig.app();
        const quint16 port = freeTcpPort();
        QVERIFY(app.forward()->setNmea(true, QStringLiteral("127.0.0.1"), port, nmeaRate));
        QVERIFY2(rig.sim().start({ "--format", format, "--rate", QString::number(recordRate) }),
                 qPrintable(rig.sim().errorText()));
        QVERIFY2(rig.connectUntilRecords(format), qPrintable(app.lastError()));
        collect(app);
        QTcpSocket gnss;
        gnss.connectToHost(QHostAddress::LocalHost, port);
        QVERIFY(gnss.waitForConnected(5000));
        QTRY_COMPARE(app.forward()->nmeaClients(), 1);
        QElapsedTimer served;
        served.start();
        QTest::qWait(3000);
        app.disconnectPrimary();
        const double seconds = double(served.elapsed()) / 1000;
        QTest::qWait(200);
        int bad = 0;
        const QList<QList<QByteArray>> lines = sentences(gnss.readAll(), &bad);
        QCOMPARE(bad, 0);
        const QStringList set = kinds.split(' ', Qt::SkipEmptyParts);
        if (set.isEmpty()) {
            QCOMPARE(lines.size(), 0);
            return;
        }
        const double expectedSets = seconds * std::min(nmeaRate, double(recordRate));
        QVERIFY2(lines.size() >= 0.8 * expectedSets * set.size()
                     && lines.size() <= (1.1 * expectedSets + 2) * set.size(),
                 qPrintable(QString::number(lines.size())));
        int r = 0; // the record of the set, found in order
        for (int i = 0; i + set.size() <= lines.size(); i += set.size()) {
            for (int k = 0; k < set.size(); ++k)
                QCOMPARE(lines.at(i + k).at(0), "$GP" + set.at(k).toLatin1());
            const QList<QByteArray>& first = lines.at(i);
            const double heading = lines.at(i + set.size() - 1).at(1).toDouble();
            const auto matches = [&](const RecDataStruct& x) {
                return std::fabs(heading - x.yaw) < 0.006
                    && (set.size() == 1
                        || (std::fabs(nmeaDegrees(first.at(2), first.at(3), 2) - x.lat) < 1e-8
                            && std::fabs(nmeaDegrees(first.at(4), first.at(5), 3) - x.lon) < 1e-8));
            };
            while (r < m_records.size() && !matches(m_records.at(r)))
                ++r;
            QVERIFY2(r < m_records.size(), first.join(',').constData());
            if (set.size() == 1)
                continue;
            const RecDataStruct& x = m_records.at(r);
            QCOMPARE(first.at(6), "1"); // the simulated unit has its fix
            QVERIFY(std::fabs(first.at(9).toDouble() - x.alt) < 0.006);
            const QList<QByteArray>& rmc = lines.at(i + 1);
            QCOMPARE(rmc.at(2), "A");
            const double knots = std::hypot(x.ve, x.vn) * 3600 / 1852;
            QVERIFY(std::fabs(rmc.at(7).toDouble() - knots) < 0.0006);
            const double course = std::fmod(std::atan2(x.ve, x.vn) * 180 / M_PI + 360, 360);
            QVERIFY(knots < 0.01 || std::fabs(rmc.at(8).toDouble() - course) < 0.006);
            QCOMPARE(rmc.at(9), QDateTime::currentDateTimeUtc().toString("ddMMyy").toLatin1());
            QCOMPARE(lines.at(i + 2).at(5), rmc.at(7));
        }
    }

    // A client that stops reading loses sentences, not memory; the others, the window's
    // event loop and the link go on; a sixth client is turned away.
    void stalledClientLosesSentencesNotMemory()
    {
        AppRig rig;
        Application& app = rig.app();
        const quint16 port = freeTcpPort();
        QVERIFY(app.forward()->setNmea(true, QStringLiteral("127.0.0.1"), port, 100));
        QVERIFY2(rig.sim().start({ "--rate", "1000" }), qPrintable(rig.sim().errorText()));
        QVERIFY2(rig.connectUntilRecords(QStringLiteral("sinsbin")), qPrintable(app.lastError()));
        // The stalled client, with a small receive window, never reads.
        const int stalled = ::socket(AF_INET, SOCK_STREAM, 0);
        const int window = 4096;
        ::setsockopt(stalled, SOL_SOCKET, SO_RCVBUF, &window, sizeof window);
        sockaddr_in to {};
        to.sin_family = AF_INET;
        to.sin_port = htons(port);
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        QCOMPARE(::connect(stalled, reinterpret_cast<sockaddr*>(&to), sizeof to), 0);
        QTcpSocket clients[5];
        for (QTcpSocket& c : clients)
            c.connectToHost(QHostAddress::LocalHost, port);
        QTRY_COMPARE(app.forward()->nmeaClients(), 5);
        const auto turnedAway = [&]() {
            return std::count_if(std::begin(clients), std::end(clients), [](QTcpSocket& c) {
                return c.state() == QAbstractSocket::UnconnectedState && c.readAll().isEmpty();
            });
        };
        QTRY_COMPARE(turnedAway(), 1);
        QTcpSocket& healthy
            = clients[0].state() == QAbstractSocket::ConnectedState ? clients[0] : clients[1];

        // The event loop's longest wait while the queue fills.
        qint64 longestGap = 0;
        QElapsedTimer gap;
        gap.start();
        QTimer tick;
        connect(&tick, &QTimer::timeout, this,
                [&]() { longestGap = std::max(longestGap, gap.restart()); });
        tick.start(10);
        healthy.readAll();
        const int packets = app.ins()->recPackets();
        QTest::qWait(8000);
        const gcs::NmeaServer* nmea = app.forward()->nmeaServer();
        QVERIFY2(nmea->droppedBytes() > 0, "the stalled client was never behind");
        QVERIFY(nmea->queuePeak() <= gcs::NmeaServer::kClientQueueCap);
        QVERIFY2(longestGap < 500, qPrintable(QString::number(longestGap)));
        QVERIFY(app.currentManagedConnected() && app.ins()->recPackets() > packets + 6000);
        int bad = 0;
        const qsizetype taken = sentences(healthy.readAll(), &bad).size();
        QVERIFY2(bad == 0 && taken >= 0.8 * 8 * 100 * 4, qPrintable(QString::number(taken)));
        ::close(stalled);
    }

    // A fault of an output is told; the link and the records go on.
    void faultsAreToldAndTheLinkStays_data()
    {
        QTest::addColumn<bool>("nmea");
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("said");
        QTest::newRow("port in use") << true << "127.0.0.1"
                                     << "已被占用";
        QTest::newRow("not this machine's address") << true << "192.0.2.1"
                                                    << "不是本机的地址";
        QTest::newRow("NMEA host unresolved") << true << "no-such-host.invalid"
                                              << "无法解析地址";
        QTest::newRow("UDP host unresolved") << false << "no-such-host.invalid"
                                             << "无法解析地址";
    }
    void faultsAreToldAndTheLinkStays()
    {
        QFETCH(bool, nmea);
        QFETCH(QString, host);
        QFETCH(QString, said);
        AppRig rig;
        Application& app = rig.app();
        QVERIFY2(rig.sim().start(), qPrintable(rig.sim().errorText()));
        QVERIFY2(rig.connectUntilRecords(QStringLiteral("sinsbin")), qPrintable(app.lastError()));
        QTcpServer taken;
        QVERIFY(taken.listen(QHostAddress::LocalHost, 0));
        Forwarder* forward = app.forward();
        nmea ? forward->setNmea(true, host, taken.serverPort(), 10)
             : forward->setUdp(true, host, taken.serverPort());
        QTRY_VERIFY_WITH_TIMEOUT(app.lastError().contains(said), 15000);
        QCOMPARE(nmea ? forward->nmeaState() : forward->udpState(), int(Forwarder::Failed));
        QCOMPARE(nmea ? forward->nmeaStateText() : forward->udpStateText(), app.lastError());
        const int packets = app.ins()->recPackets();
        QTest::qWait(500);
        QVERIFY(app.currentManagedConnected() && app.ins()->recPackets() > packets + 50);
    }

    void cliForwardsAndSaysWhy_data()
    {
        QTest::addColumn<QStringList>("args"); // after PORT; "UDP" and "TCP" are free ports
        QTest::addColumn<bool>("interrupt");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said");
        QTest::newRow("both outputs")
            << QStringList { "--udp-json", "127.0.0.1:UDP", "--nmea-tcp", "TCP", "--seconds", "3" }
            << false << 0 << "转发了";
        QTest::newRow("interrupted")
            << QStringList { "--udp-json", "localhost:UDP" } << true << 0 << "（已中断）";
        QTest::newRow("port in use")
            << QStringList { "--nmea-tcp", "127.0.0.1:BUSY" } << false << 1 << "已被占用";
        QTest::newRow("no output")
            << QStringList { "--seconds", "1" } << false << 2 << "请给出 --udp-json";
        QTest::newRow("no host") << QStringList { "--udp-json", "9870" } << false << 2
                                 << "缺少地址";
        QTest::newRow("rate too high") << QStringList { "--nmea-tcp", "TCP", "--nmea-rate", "500" }
                                       << false << 2 << "0.1 到 100";
    }
    void cliForwardsAndSaysWhy()
    {
        QFETCH(QStringList, args);
        QFETCH(bool, interrupt);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        SimProcess sim;
        QVERIFY2(sim.start(), qPrintable(sim.errorText()));
        QUdpSocket plot;
        QVERIFY(plot.bind(QHostAddress::LocalHost, 0));
        int datagrams = 0;
        connect(&plot, &QUdpSocket::readyRead, this, [&]() {
            while (plot.hasPendingDatagrams())
                datagrams += plot.receiveDatagram().data().startsWith("{\"t\":");
        });
        QTcpServer busy;
        QVERIFY(busy.listen(QHostAddress::LocalHost, 0));
        const QString tcp = QString::number(freeTcpPort());
        args.replaceInStrings("UDP", QString::number(plot.localPort()));
        args.replaceInStrings("BUSY", QString::number(busy.serverPort()));
        args.replaceInStrings("TCP", tcp);
        QProcess cli;
        pinCliLocale(cli);
        cli.start(QDir(binDir()).filePath("telvo-cli"),
                  QStringList { "forward", sim.port() } + args);
        QTcpSocket gnss;
        if (args.contains(tcp)) {
            waitUntil([&]() { return cli.canReadLine() || cli.state() == QProcess::NotRunning; },
                      10000);
            gnss.connectToHost(QHostAddress::LocalHost, tcp.toUShort());
        }
        if (interrupt) {
            QVERIFY(waitUntil([&]() { return datagrams >= 200; }, 20000));
            QVERIFY(interruptProcess(cli));
        }
        QVERIFY(waitUntil([&]() { return cli.state() == QProcess::NotRunning; }, 30000));
        QCOMPARE(cli.exitCode(), exitCode);
        const QByteArray err = cli.readAllStandardError();
        QVERIFY2(err.contains(said.toUtf8()), err.constData());
        if (exitCode != 0)
            return;
        QTest::qWait(100);
        QVERIFY2(datagrams > 100, qPrintable(QString::number(datagrams)));
        QVERIFY(err.contains(QStringLiteral("%1 个数据报").arg(datagrams).toUtf8()));
        QVERIFY(!args.contains(tcp) || gnss.readAll().count("$GPGGA,") >= 15);
    }
};

QTEST_GUILESS_MAIN(TestForward)
#include "tst_forward.moc"
