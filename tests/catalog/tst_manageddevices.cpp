#include "catalog/AppSettings.h"
#include "catalog/ManagedDevices.h"

#include "TestSupport.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using gcs::AppSettings;
using gcs::ManagedDevices;
using gcs::test::EnvOverride;
using gcs::test::readFileBytes;
using gcs::test::writeFileBytes;

namespace {

QJsonObject serialJson(const QString& id, const QString& port, int baud)
{
    return QJsonObject { { "id", id },       { "productId", "ins" }, { "deviceModelId", "kt40" },
                         { "alias", "" },    { "kind", "serial" },   { "port", port },
                         { "baud", baud },   { "netTransport", "" }, { "localIp", "" },
                         { "localPort", 0 }, { "remoteIp", "" },     { "remotePort", 0 },
                         { "listenPort", 0 } };
}

} // namespace

class TestManagedDevices : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<EnvOverride> m_env;

    QString iniPath() const { return m_dir->filePath(QStringLiteral("TelvoMonitor/gcs.ini")); }

    // A settings file holding exactly these keys, written before any object reads it.
    void writeStore(const QVariantMap& values)
    {
        QSettings raw(iniPath(), QSettings::IniFormat);
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            raw.setValue(it.key(), it.value());
        raw.sync();
    }

    static QByteArray listJson(const QJsonArray& array)
    {
        return QJsonDocument(array).toJson(QJsonDocument::Compact);
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_env = std::make_unique<EnvOverride>("LOCALAPPDATA", m_dir->path().toLocal8Bit());
    }

    void cleanup()
    {
        m_env.reset();
        m_dir.reset();
    }

    void appendSerialStoresThePortNameAndRefusesADuplicate()
    {
        AppSettings settings;
        ManagedDevices list;
        list.load(settings.store());
        const QString id
            = list.appendSerial(QStringLiteral("ins"), QStringLiteral("  车载 "),
                                QStringLiteral("COM3  USB-SERIAL CH340"), 0, true, QString());
        QCOMPARE(id.size(), 36);
        QVERIFY(!id.contains(QLatin1Char('{')));
        QCOMPARE(list.entryPort(id), QStringLiteral("COM3"));
        QCOMPARE(list.entryBaud(id), 115200);
        QCOMPARE(list.entryAlias(id), QStringLiteral("车载"));
        QCOMPARE(list.entryDeviceModelId(id), QStringLiteral("kt45"));
        QCOMPARE(list.title(id), QStringLiteral("KT45"));
        QCOMPARE(list.summary(id), QStringLiteral("COM3 @ 115200"));
        QCOMPARE(list.currentId(), id);

        QVERIFY(list.appendSerial(QStringLiteral("ins"), QString(), QStringLiteral("COM3"), 9600,
                                  false, QString())
                    .isEmpty());
        QVERIFY(list.appendSerial(QStringLiteral("ins"), QString(), QStringLiteral("   "), 9600,
                                  false, QString())
                    .isEmpty());
        QVERIFY(list.hasSerialPort(QStringLiteral("  COM3  ")));
        QVERIFY(!list.hasSerialPort(QStringLiteral("com3")));
        QCOMPARE(list.count(), 1);
    }

    void upsertKeepsIdAndAliasAndUpdatesBaudAndModel()
    {
        ManagedDevices list;
        const QString id
            = list.appendSerial(QStringLiteral("ins"), QStringLiteral("台架"),
                                QStringLiteral("COM4"), 9600, false, QStringLiteral("kt10"));
        QSignalSpy changed(&list, &ManagedDevices::listChanged);
        QCOMPARE(list.upsertSerial(QStringLiteral("ins"), QStringLiteral("  "),
                                   QStringLiteral("COM4 desc"), 460800, false,
                                   QStringLiteral("kt60")),
                 id);
        QCOMPARE(list.entryAlias(id), QStringLiteral("台架"));
        QCOMPARE(list.entryBaud(id), 460800);
        QCOMPARE(list.entryDeviceModelId(id), QStringLiteral("kt60"));
        // An empty model keeps the stored one; a zero baud falls back to 115200.
        QCOMPARE(list.upsertSerial(QStringLiteral("ins"), QString(), QStringLiteral("COM4"), 0,
                                   false, QString()),
                 id);
        QCOMPARE(list.entryDeviceModelId(id), QStringLiteral("kt60"));
        QCOMPARE(list.entryBaud(id), 115200);
        QCOMPARE(list.count(), 1);
        QCOMPARE(changed.count(), 2);
        QVERIFY(list.currentId().isEmpty());

        const QString other = list.upsertSerial(QStringLiteral("ins"), QString(),
                                                QStringLiteral("COM5"), 19200, true, QString());
        QVERIFY(!other.isEmpty() && other != id);
        QCOMPARE(list.currentId(), other);
        QCOMPARE(list.entryAlias(other), QString());
    }

    void updateSerialRefusesUnknownIdsAndTakenPorts()
    {
        ManagedDevices list;
        const QString a = list.appendSerial(QStringLiteral("ins"), QStringLiteral("A"),
                                            QStringLiteral("COM1"), 9600, true, QString());
        const QString b = list.appendSerial(QStringLiteral("ins"), QStringLiteral("B"),
                                            QStringLiteral("COM2"), 9600, false, QString());
        QVERIFY(!list.updateSerial(QStringLiteral("nope"), QString(), QStringLiteral("COM8"), 0,
                                   QString()));
        QVERIFY(!list.updateSerial(b, QString(), QStringLiteral("COM1 other"), 0, QString()));
        QVERIFY(!list.updateSerial(b, QString(), QStringLiteral(" "), 0, QString()));
        QVERIFY(list.updateSerial(b, QStringLiteral(" "), QStringLiteral("COM2"), 230400,
                                  QStringLiteral("kt80")));
        QCOMPARE(list.entryAlias(b), QStringLiteral("B"));
        QCOMPARE(list.entryBaud(b), 230400);
        QCOMPARE(list.entryDeviceModelId(b), QStringLiteral("kt80"));
        QVERIFY(
            list.updateSerial(b, QStringLiteral("新名"), QStringLiteral("COM6 x"), -1, QString()));
        QCOMPARE(list.entryPort(b), QStringLiteral("COM6"));
        QCOMPARE(list.entryBaud(b), 115200);
        QCOMPARE(list.entryAlias(b), QStringLiteral("新名"));
        QCOMPARE(list.currentId(), a);

        const QString tcp = list.appendNetTcp(QStringLiteral("ins"), QString(), 9000, false);
        QVERIFY(!list.updateSerial(tcp, QString(), QStringLiteral("COM9"), 0, QString()));
    }

    void commitBumpsRevisionAndCurrentChangesOnlyOnRealChange()
    {
        ManagedDevices list;
        QSignalSpy listSpy(&list, &ManagedDevices::listChanged);
        QSignalSpy currentSpy(&list, &ManagedDevices::currentIdChanged);
        const int before = list.revision();
        const QString a = list.appendSerial(QStringLiteral("ins"), QString(),
                                            QStringLiteral("COM1"), 0, true, QString());
        QCOMPARE(list.revision(), before + 1);
        QCOMPARE(listSpy.count(), 1);
        QCOMPARE(currentSpy.count(), 1);
        list.setCurrentId(a);
        list.setCurrentId(QStringLiteral("unknown"));
        QCOMPARE(currentSpy.count(), 1);
        list.setCurrentId(QString());
        QCOMPARE(currentSpy.count(), 2);
        list.setCurrentId(QString());
        QCOMPARE(currentSpy.count(), 2);
        QCOMPARE(listSpy.count(), 1);
        list.remove(QStringLiteral("unknown"));
        QCOMPARE(listSpy.count(), 1);
        QCOMPARE(list.ids(), QStringList { a });
    }

    void removingTheCurrentEntryMakesTheFirstRemainingCurrent()
    {
        AppSettings settings;
        ManagedDevices list;
        list.load(settings.store());
        const QString a = list.appendSerial(QStringLiteral("ins"), QString(),
                                            QStringLiteral("COM1"), 0, false, QString());
        const QString b = list.appendSerial(QStringLiteral("ins"), QStringLiteral("乙"),
                                            QStringLiteral("COM2"), 9600, true, QString());
        const QString c = list.appendSerial(QStringLiteral("ins"), QString(),
                                            QStringLiteral("COM3"), 0, false, QString());
        QSignalSpy currentSpy(&list, &ManagedDevices::currentIdChanged);
        list.remove(a);
        QCOMPARE(list.currentId(), b);
        QCOMPARE(currentSpy.count(), 0);
        list.remove(b);
        QCOMPARE(list.currentId(), c);
        QCOMPARE(currentSpy.count(), 1);
        QCOMPARE(settings.store()->value(QStringLiteral("port")).toString(),
                 QStringLiteral("COM3"));
    }

    void removingTheLastEntryClearsTheMirroredKeys()
    {
        {
            AppSettings settings;
            ManagedDevices list;
            list.load(settings.store());
            const QString id = list.appendSerial(QStringLiteral("ins"), QStringLiteral("甲"),
                                                 QStringLiteral("COM1"), 9600, true, QString());
            QCOMPARE(settings.lastPort(), QStringLiteral("COM1"));
            QCOMPARE(settings.lastBaud(), 9600);
            QCOMPARE(settings.deviceAlias(), QStringLiteral("甲"));
            list.remove(id);
            QVERIFY(list.currentId().isEmpty());
        }
        QSettings raw(iniPath(), QSettings::IniFormat);
        QVERIFY(!raw.contains(QStringLiteral("port")));
        QVERIFY(!raw.contains(QStringLiteral("baud")));
        QVERIFY(raw.contains(QStringLiteral("deviceAlias")));
        QCOMPARE(raw.value(QStringLiteral("deviceAlias")).toString(), QString());
        QCOMPARE(raw.value(QStringLiteral("currentManagedDeviceId")).toString(), QString());
        QCOMPARE(raw.value(QStringLiteral("managedDevices")).toByteArray(), QByteArray("[]"));
    }

    void theListSurvivesANewObjectOnTheSameFile()
    {
        QString serial;
        QString current;
        {
            AppSettings settings;
            ManagedDevices list;
            list.load(settings.store());
            serial = list.appendSerial(QStringLiteral("ins"), QStringLiteral("一号"),
                                       QStringLiteral("/dev/ttyUSB0"), 460800, false,
                                       QStringLiteral("kt15"));
            current = list.appendSerial(QStringLiteral("ins"), QString(),
                                        QStringLiteral("/dev/ttyUSB1"), 19200, true, QString());
        }
        const QByteArray ini = readFileBytes(iniPath());
        QVERIFY2(ini.contains("managedDevices=\"@ByteArray([{"), ini.constData());

        AppSettings settings;
        ManagedDevices list;
        QSignalSpy listSpy(&list, &ManagedDevices::listChanged);
        QSignalSpy currentSpy(&list, &ManagedDevices::currentIdChanged);
        list.load(settings.store());
        QCOMPARE(listSpy.count(), 1);
        QCOMPARE(currentSpy.count(), 1);
        QCOMPARE(list.ids(), (QStringList { serial, current }));
        QCOMPARE(list.currentId(), current);
        QCOMPARE(list.entryAlias(serial), QStringLiteral("一号"));
        QCOMPARE(list.entryDeviceModelId(serial), QStringLiteral("kt15"));
        QCOMPARE(list.summary(serial), QStringLiteral("/dev/ttyUSB0 @ 460800"));
        QCOMPARE(settings.lastPort(), QStringLiteral("/dev/ttyUSB1"));
        QCOMPARE(settings.lastBaud(), 19200);
    }

    void storedJsonHoldsAllThirteenKeysCompact()
    {
        AppSettings settings;
        ManagedDevices list;
        list.load(settings.store());
        list.appendNetTcp(QStringLiteral("ins"), QString(), 9000, true);
        const QByteArray json
            = settings.store()->value(QStringLiteral("managedDevices")).toByteArray();
        QVERIFY(!json.contains('\n'));
        const QJsonObject o = QJsonDocument::fromJson(json).array().at(0).toObject();
        QCOMPARE(o.keys().size(), 13);
        QCOMPARE(o.value(QStringLiteral("kind")).toString(), QStringLiteral("net"));
        QCOMPARE(o.value(QStringLiteral("netTransport")).toString(), QStringLiteral("tcp"));
        QCOMPARE(o.value(QStringLiteral("listenPort")).toInt(), 9000);
        QCOMPARE(o.value(QStringLiteral("deviceModelId")).toString(), QStringLiteral("kt45"));
    }

    void loadDropsNetEntriesAndNormalisesProductAndModel()
    {
        QJsonObject net = serialJson(QStringLiteral("n1"), QString(), 0);
        net.insert(QStringLiteral("kind"), QStringLiteral("net"));
        net.insert(QStringLiteral("netTransport"), QStringLiteral("udp"));
        QJsonObject other = serialJson(QStringLiteral("o1"), QStringLiteral("COM2"), 9600);
        other.insert(QStringLiteral("productId"), QStringLiteral("other"));
        QJsonObject noModel = serialJson(QStringLiteral("m1"), QStringLiteral("COM3"), 19200);
        noModel.remove(QStringLiteral("deviceModelId"));
        QJsonObject noBaud = serialJson(QStringLiteral("b1"), QStringLiteral("COM4"), 0);
        noBaud.remove(QStringLiteral("baud"));
        QJsonObject noId = serialJson(QString(), QStringLiteral("COM5"), 9600);
        QJsonObject noProduct = serialJson(QStringLiteral("p1"), QStringLiteral("COM6"), 9600);
        noProduct.insert(QStringLiteral("productId"), QString());
        const QJsonArray array { net, other, noModel, noBaud, noId, noProduct, 42, "text" };
        writeStore({ { QStringLiteral("managedDevices"), listJson(array) },
                     { QStringLiteral("currentManagedDeviceId"), QStringLiteral("o1") } });

        AppSettings settings;
        ManagedDevices list;
        list.load(settings.store());
        QCOMPARE(list.ids(), (QStringList { "o1", "m1", "b1" }));
        QCOMPARE(list.productId(QStringLiteral("o1")), QStringLiteral("ins"));
        QCOMPARE(list.entryDeviceModelId(QStringLiteral("o1")), QStringLiteral("kt40"));
        QCOMPARE(list.entryDeviceModelId(QStringLiteral("m1")), QStringLiteral("kt45"));
        QCOMPARE(list.entryBaud(QStringLiteral("b1")), 115200);
        QCOMPARE(list.currentId(), QStringLiteral("o1"));
    }

    void storedCurrentIdFallsBackToTheFirstEntry_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("expected");
        QTest::newRow("gone") << QStringLiteral("removed-long-ago") << QStringLiteral("a");
        QTest::newRow("valid") << QStringLiteral("b") << QStringLiteral("b");
        QTest::newRow("empty stays empty") << QString() << QString();
    }

    void storedCurrentIdFallsBackToTheFirstEntry()
    {
        QFETCH(QString, stored);
        QFETCH(QString, expected);
        const QJsonArray array { serialJson(QStringLiteral("a"), QStringLiteral("COM1"), 9600),
                                 serialJson(QStringLiteral("b"), QStringLiteral("COM2"), 9600) };
        writeStore({ { QStringLiteral("managedDevices"), listJson(array) },
                     { QStringLiteral("currentManagedDeviceId"), stored } });
        AppSettings settings;
        ManagedDevices list;
        list.load(settings.store());
        QCOMPARE(list.currentId(), expected);
    }

    void oldSingleDeviceKeysBecomeOneCurrentEntry()
    {
        QVERIFY(writeFileBytes(iniPath(), "[General]\nport=COM7\nbaud=9600\n"));
        QString id;
        {
            AppSettings settings;
            ManagedDevices list;
            list.load(settings.store());
            QCOMPARE(list.count(), 1);
            id = list.currentId();
            QCOMPARE(id.size(), 36);
            QCOMPARE(list.entryPort(id), QStringLiteral("COM7"));
            QCOMPARE(list.entryBaud(id), 9600);
            QCOMPARE(list.entryDeviceModelId(id), QStringLiteral("kt45"));
            QCOMPARE(list.productId(id), QStringLiteral("ins"));
            QCOMPARE(list.entryTransport(id), QStringLiteral("serial"));
            // The new keys are on disk before anything else happens.
            const QByteArray ini = readFileBytes(iniPath());
            QVERIFY2(ini.contains("managedDevices="), ini.constData());
            QVERIFY2(ini.contains(QByteArray("currentManagedDeviceId=") + id.toLatin1()),
                     ini.constData());
        }
        AppSettings settings;
        ManagedDevices again;
        again.load(settings.store());
        QCOMPARE(again.ids(), QStringList { id });
    }

    void oldKeysWithoutPortOrAliasMigrateNothing()
    {
        QVERIFY(writeFileBytes(iniPath(), "[General]\nbaud=9600\ndeviceAlias=\"   \"\n"));
        AppSettings settings;
        ManagedDevices list;
        list.load(settings.store());
        QCOMPARE(list.count(), 0);
        QVERIFY(!settings.store()->contains(QStringLiteral("managedDevices")));
    }

    void anExistingEmptyListStopsTheMigration()
    {
        writeStore({ { QStringLiteral("managedDevices"), QByteArray("[]") },
                     { QStringLiteral("port"), QStringLiteral("COM7") } });
        AppSettings settings;
        ManagedDevices list;
        list.load(settings.store());
        QCOMPARE(list.count(), 0);
    }

    void corruptListLoadsEmptyAndIsReplacedAtTheNextCommit_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("not json") << QByteArray("{{{ not json");
        QTest::newRow("object") << QByteArray("{\"id\":\"x\",\"productId\":\"ins\"}");
        QTest::newRow("number") << QByteArray("17");
        QTest::newRow("truncated array") << QByteArray("[{\"id\":\"a\",\"productId\":\"ins\"");
    }

    void corruptListLoadsEmptyAndIsReplacedAtTheNextCommit()
    {
        QFETCH(QByteArray, stored);
        writeStore({ { QStringLiteral("managedDevices"), stored },
                     { QStringLiteral("port"), QStringLiteral("COM7") },
                     { QStringLiteral("theme"), QStringLiteral("极夜") } });
        AppSettings settings;
        ManagedDevices list;
        list.load(settings.store());
        QCOMPARE(list.count(), 0);
        // The key exists, so the old single-device keys are not migrated either.
        QCOMPARE(settings.store()->value(QStringLiteral("managedDevices")).toByteArray(), stored);

        const QString id = list.appendSerial(QStringLiteral("ins"), QString(),
                                             QStringLiteral("COM8"), 0, true, QString());
        const QJsonDocument doc = QJsonDocument::fromJson(
            settings.store()->value(QStringLiteral("managedDevices")).toByteArray());
        QVERIFY(doc.isArray());
        QCOMPARE(doc.array().size(), 1);
        QCOMPARE(doc.array().at(0).toObject().value(QStringLiteral("id")).toString(), id);
        QCOMPARE(settings.theme(), QStringLiteral("极夜"));
    }

    void repeatedIdsInAnEditedFileLoadOnce()
    {
        const QJsonArray array { serialJson(QStringLiteral("a"), QStringLiteral("COM1"), 9600),
                                 serialJson(QStringLiteral("a"), QStringLiteral("COM2"), 9600) };
        writeStore({ { QStringLiteral("managedDevices"), listJson(array) } });
        AppSettings settings;
        ManagedDevices list;
        list.load(settings.store());
        QCOMPARE(list.ids(), QStringList { "a" });
        QCOMPARE(list.entryPort(QStringLiteral("a")), QStringLiteral("COM1"));
    }

    void udpEntriesTreatPortZeroAsTheDefaultPort()
    {
        ManagedDevices list;
        const QString id = list.appendNetUdp(QStringLiteral("ins"), QStringLiteral("U"),
                                             QStringLiteral(" 0.0.0.0 "), 0,
                                             QStringLiteral(" 192.168.1.20 "), 0, true);
        QCOMPARE(list.entryLocalPort(id), 8000);
        QCOMPARE(list.entryRemotePort(id), 8000);
        QCOMPARE(list.entryTransport(id), QStringLiteral("udp"));
        QCOMPARE(list.indexOfNetUdp(QString(), 8000, QStringLiteral("192.168.1.20"), 8000), 0);
        QCOMPARE(list.summary(id), QStringLiteral("0.0.0.0:8000 → 192.168.1.20:8000"));

        // The same link again is the same entry: the product is taken, a blank alias kept.
        QCOMPARE(list.appendNetUdp(QStringLiteral("ins"), QStringLiteral(" "), QString(), 8000,
                                   QStringLiteral("192.168.1.20"), -3, false),
                 id);
        QCOMPARE(list.entryAlias(id), QStringLiteral("U"));
        QCOMPARE(list.count(), 1);
        QCOMPARE(list.indexOfNetUdp(QString(), 8000, QStringLiteral(" "), 8000), -1);

        const QString other = list.appendNetUdp(QStringLiteral("ins"), QString(), QString(), 0,
                                                QStringLiteral("192.168.1.21"), 0, false);
        QVERIFY(!list.updateNetUdp(other, QString(), QString(), 0, QStringLiteral("192.168.1.20"),
                                   8000));
        QVERIFY(!list.updateNetUdp(other, QString(), QString(), 0, QStringLiteral("  "), 8000));
        QVERIFY(list.updateNetUdp(id, QString(), QStringLiteral("127.0.0.1"), 9001,
                                  QStringLiteral("192.168.1.20"), 9002));
        QCOMPARE(list.entryAlias(id), QString()); // an update takes the alias as given
        QCOMPARE(list.summary(id), QStringLiteral("127.0.0.1:9001 → 192.168.1.20:9002"));
    }

    void tcpEntriesAndSummaries()
    {
        ManagedDevices list;
        const QString tcp
            = list.appendNetTcp(QStringLiteral("ins"), QStringLiteral("T"), 9000, false);
        QCOMPARE(list.summary(tcp), QStringLiteral("TCP :9000"));
        QCOMPARE(list.entryTransport(tcp), QStringLiteral("tcp"));
        QCOMPARE(list.appendNetTcp(QStringLiteral("ins"), QString(), 9000, false), tcp);
        const QString dflt = list.appendNetTcp(QStringLiteral("ins"), QString(), 0, false);
        QCOMPARE(list.entryListenPort(dflt), 8000);
        QCOMPARE(list.indexOfNetTcp(-1), list.ids().indexOf(dflt));
        QVERIFY(!list.updateNetTcp(dflt, QString(), 9000));
        QVERIFY(!list.updateNetTcp(QStringLiteral("unknown"), QString(), 7000));
        QVERIFY(list.updateNetTcp(dflt, QStringLiteral("  新 "), 7000));
        QCOMPARE(list.entryAlias(dflt), QStringLiteral("新"));
        QCOMPARE(list.indexOfNetTcpExcept(7000, dflt), -1);
    }

    void lookupsOfAnUnknownIdUseAnEmptyEntry()
    {
        ManagedDevices list;
        const QString id = QStringLiteral("not-there");
        QCOMPARE(list.title(id), QString());
        QCOMPARE(list.summary(id), QString());
        QCOMPARE(list.entryBaud(id), 115200);
        QCOMPARE(list.entryDeviceModelId(id), QStringLiteral("kt45"));
        QCOMPARE(list.entryLocalIp(id), QStringLiteral("0.0.0.0"));
        QCOMPARE(list.entryListenPort(id), 8000);
        QCOMPARE(list.entryAlias(id), QString());
    }

    // The demo writes its own gcs.ini for one KT45 on the simulator's port; the program
    // must take that device as the current one.
    void theDemoSettingsFileManagesItsDevice()
    {
        const QByteArray script = readFileBytes(QStringLiteral(GCS_SOURCE_DIR "/scripts/demo.sh"));
        QVERIFY(!script.isEmpty());
        const QRegularExpression heredoc(
            QStringLiteral(
                "(id=\"[^\"]+\"\\n)cat > \"\\$settings/gcs.ini\" <<INI\\n(.*?\\nINI\\n)"),
            QRegularExpression::DotMatchesEverythingOption);
        const QRegularExpressionMatch m = heredoc.match(QString::fromUtf8(script));
        QVERIFY2(m.hasMatch(), "demo.sh no longer writes gcs.ini through a here-document");

        const QString folder = m_dir->filePath(QStringLiteral("TelvoMonitor"));
        const QString port = m_dir->filePath(QStringLiteral("ttyINS0"));
        QVERIFY(QDir().mkpath(folder));
        // Let bash expand the here-document exactly as the demo does.
        QProcess bash;
        bash.start(QStringLiteral("bash"),
                   { QStringLiteral("-c"),
                     QStringLiteral("set -eu\nsettings='%1'\nport='%2'\n").arg(folder, port)
                         + m.captured(1) + QStringLiteral("cat > \"$settings/gcs.ini\" <<INI\n")
                         + m.captured(2) });
        QVERIFY(bash.waitForFinished(10000));
        QCOMPARE(bash.exitCode(), 0);

        AppSettings settings;
        ManagedDevices list;
        list.load(settings.store());
        QCOMPARE(list.count(), 1);
        const QString id = list.currentId();
        QCOMPARE(id, QStringLiteral("6f1c2a9e-3b7d-4c55-9a0e-2d8f4b6a1c01"));
        QCOMPARE(list.entryPort(id), port);
        QCOMPARE(list.entryBaud(id), 115200);
        QCOMPARE(list.title(id), QStringLiteral("KT45"));
        QCOMPARE(list.entryTransport(id), QStringLiteral("serial"));
    }
};

QTEST_GUILESS_MAIN(TestManagedDevices)
#include "tst_manageddevices.moc"
