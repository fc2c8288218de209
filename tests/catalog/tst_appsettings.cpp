// gcs.ini: the preferences, the custom serial rates and the managed-device list in it.
#include "catalog/AppSettings.h"
#include "catalog/ManagedDevices.h"

#include "TestSupport.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMetaProperty>
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
using gcs::test::SettingsHome;
using gcs::test::writeFileBytes;

class TestAppSettings : public QObject
{
    Q_OBJECT

    std::unique_ptr<SettingsHome> m_home;
    std::unique_ptr<AppSettings> m_settings;

    QString iniPath() const { return m_home->iniPath(); }

    /// Writes these keys to a settings file no object has read yet and loads a list from it.
    void load(ManagedDevices& list, const QVariantMap& stored = {})
    {
        m_settings.reset();
        QSettings raw(iniPath(), QSettings::IniFormat);
        for (auto it = stored.cbegin(); it != stored.cend(); ++it)
            raw.setValue(it.key(), it.value());
        raw.sync();
        m_settings = std::make_unique<AppSettings>();
        list.load(m_settings->store());
    }

    QJsonArray storedList() const
    {
        return QJsonDocument::fromJson(m_settings->store()->value("managedDevices").toByteArray())
            .array();
    }

private slots:
    void init() { m_home = std::make_unique<SettingsHome>(); }
    void cleanup()
    {
        m_settings.reset();
        m_home.reset();
    }

    void withoutLocalAppDataTheFileGoesToTheGenericDataLocation()
    {
        for (const QByteArray& localAppData : { QByteArray(), QByteArray("") }) {
            QTemporaryDir dataHome;
            EnvOverride xdg("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
            EnvOverride env("LOCALAPPDATA", localAppData);
            const QString folder = dataHome.filePath(QStringLiteral("TelvoMonitor"));
            QVERIFY(!QFileInfo::exists(folder));
            AppSettings settings;
            QCOMPARE(settings.filePath(), folder + "/gcs.ini");
            QVERIFY(QFileInfo(folder).isDir()); // created at once
        }
    }

    // Each preference: its key, its default when absent, and what a write stores.
    void preferences_data()
    {
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("fallback");
        QTest::addColumn<QVariant>("written");
        QTest::addColumn<QVariant>("stored");
        const auto row = [](const char* tag, const char* property, const char* key,
                            QVariant fallback, QVariant written, QVariant stored) {
            QTest::newRow(tag) << QByteArray(property) << QString(key) << fallback << written
                               << stored;
        };
        row("port", "lastPort", "port", QString(), "COM3", "COM3");
        row("baud", "lastBaud", "baud", 115200, 9600, 9600);
        row("theme", "theme", "theme", "航天国防蓝", "极夜", "极夜");
        row("product", "lastProductId", "product", "ins", "x", "x");
        row("alias", "deviceAlias", "deviceAlias", QString(), "车载 1", "车载 1");
        row("motion", "reduceMotion", "reduceMotion", false, true, true);
        row("chart window below 8", "chartWindowSec", "chartWindowSec", 16, 5, 8);
        row("chart window above 120", "chartWindowSec", "chartWindowSec", 16, 500, 120);
        row("language", "language", "language", "zh_CN", "en", "en");
    }

    void preferences()
    {
        QFETCH(QByteArray, property);
        QFETCH(QString, key);
        QFETCH(QVariant, fallback);
        QFETCH(QVariant, written);
        QFETCH(QVariant, stored);
        AppSettings settings;
        const QMetaProperty p = settings.metaObject()->property(
            settings.metaObject()->indexOfProperty(property.constData()));
        QSignalSpy changed(&settings, p.notifySignal());
        QCOMPARE(p.read(&settings), fallback);
        QVERIFY(p.write(&settings, fallback)); // the default of an absent key is no change
        QVERIFY(!settings.store()->contains(key));
        QVERIFY(p.write(&settings, written));
        QVERIFY(p.write(&settings, written));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(p.read(&settings), stored);
        settings.flushToDisk();
        QVERIFY(readFileBytes(iniPath()).contains(key.toUtf8() + '='));
    }

    void customBaudsStayInRangeApartFromTheBuiltInRatesAndKeepTheirOrder()
    {
        // Bad rates edited into the file are ignored and go; a chart window is read as stored.
        QVERIFY(writeFileBytes(iniPath(),
                               "[General]\ncustomSerialBauds=0, -5, 57600, 57600, "
                               "1200, abc\nchartWindowSec=3\n"));
        AppSettings settings;
        QCOMPARE(settings.chartWindowSec(), 3);
        QCOMPARE(settings.customSerialBauds(), (QList<int> { 57600, 1200 }));
        QSignalSpy changed(&settings, &AppSettings::customSerialBaudsChanged);
        for (const int refused : { 299, 3000001, 115200, 380400, 57600 })
            QVERIFY2(!settings.addCustomSerialBaud(refused), qPrintable(QString::number(refused)));
        for (const int accepted : { 3000000, 300, 384000 }) // 380400 is built in, 384000 not
            QVERIFY2(settings.addCustomSerialBaud(accepted), qPrintable(QString::number(accepted)));
        QVERIFY(!settings.removeCustomSerialBaud(115200));
        QVERIFY(settings.removeCustomSerialBaud(57600));
        QVERIFY(!settings.removeCustomSerialBaud(57600));
        QCOMPARE(changed.count(), 4);
        QVERIFY(settings.isCustomSerialBaud(300) && !settings.isCustomSerialBaud(57600));
        settings.flushToDisk();
        QVERIFY(readFileBytes(iniPath()).contains("customSerialBauds=1200, 3000000, 300, 384000"));
    }

    // An unreadable original is kept beside the file that the next write rebuilds.
    void fileThatIsNotIniReadsDefaultsAndIsKeptAside()
    {
        const QByteArray binary("\x00\xff\xfe\x01garbage\x00\x7f[[[", 16);
        for (const QByteArray& content : { binary, QByteArray("[General\nport\n=\n") }) {
            QVERIFY(writeFileBytes(iniPath(), content));
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("is not a valid INI file"));
            {
                AppSettings settings;
                QCOMPARE(settings.lastPort(), QString());
                settings.setLastBaud(230400);
            }
            QCOMPARE(readFileBytes(iniPath() + ".bad"), content);
            QCOMPARE(AppSettings().lastBaud(), 230400);
        }
    }

    void serialEntriesKeepThePortNameAndOneEntryPerPort()
    {
        ManagedDevices list;
        const QString a = list.appendSerial("ins", " 车载 ", "COM3  USB-SERIAL CH340", 0, true, "");
        QCOMPARE(a.size(), 36); // a UUID without braces
        QCOMPARE(list.summary(a), QStringLiteral("COM3 @ 115200"));
        QVERIFY(list.appendSerial("ins", "", "COM3", 9600, false, "").isEmpty());
        QVERIFY(list.appendSerial("ins", "", "   ", 9600, false, "").isEmpty());
        QVERIFY(list.hasSerialPort(QStringLiteral("  COM3  ")));
        QVERIFY(!list.hasSerialPort(QStringLiteral("com3")));

        // Found again: id and blank alias kept, baud and model taken (empty: kept, 0: 115200).
        QCOMPARE(list.upsertSerial("ins", " ", "COM3 desc", 460800, false, "kt60"), a);
        QCOMPARE(list.entryAlias(a), QStringLiteral("车载"));
        QCOMPARE(list.summary(a), QStringLiteral("COM3 @ 460800"));
        QCOMPARE(list.upsertSerial("ins", "", "COM3", 0, false, ""), a);
        QCOMPARE(list.entryDeviceModelId(a), QStringLiteral("kt60"));
        QCOMPARE(list.entryBaud(a), 115200);

        // An edit may not take another entry's port, a blank port or a network entry.
        const QString b = list.upsertSerial("ins", "B", "COM4", 19200, false, "kt10");
        QVERIFY(!list.updateSerial(b, "", "COM3 other", 0, ""));
        QVERIFY(!list.updateSerial(b, "", " ", 0, ""));
        QVERIFY(!list.updateSerial(list.appendNetTcp("ins", "", 9000, false), "", "COM9", 0, ""));
        QVERIFY(list.updateSerial(b, " ", "COM6 x", -1, ""));
        QCOMPARE(list.summary(b), QStringLiteral("COM6 @ 115200"));
        QCOMPARE(list.entryAlias(b), QStringLiteral("B"));
    }

    // A network entry is one link: port 0 (or below) is the default 8000, the same link
    // again is the same entry, and an edit may not take another entry's link.
    void networkEntriesAreOneEntryPerLinkWithDefaultPorts()
    {
        ManagedDevices list;
        const QString id = list.appendNetUdp("ins", "U", " 0.0.0.0 ", 0, " 192.168.1.20 ", 0, true);
        QCOMPARE(list.entryLocalPort(id) * 10000 + list.entryRemotePort(id), 80008000);
        QCOMPARE(list.entryTransport(id), QStringLiteral("udp"));
        QCOMPARE(list.summary(id), QStringLiteral("0.0.0.0:8000 → 192.168.1.20:8000"));
        QCOMPARE(list.appendNetUdp("ins", " ", QString(), 8000, "192.168.1.20", -3, false), id);
        QCOMPARE(list.entryAlias(id), QStringLiteral("U")); // a blank alias keeps the old one
        QVERIFY(list.count() == 1 && list.indexOfNetUdp(QString(), 8000, " ", 8000) == -1);
        const QString other = list.appendNetUdp("ins", "", "", 0, "192.168.1.21", 0, false);
        QVERIFY(!list.updateNetUdp(other, "", "", 0, "192.168.1.20", 8000));
        QVERIFY(!list.updateNetUdp(other, "", "", 0, "  ", 8000));
        QVERIFY(list.updateNetUdp(id, "", "127.0.0.1", 9001, "192.168.1.20", 9002));
        QCOMPARE(list.entryAlias(id), QString()); // an update takes the alias as given
        QCOMPARE(list.summary(id), QStringLiteral("127.0.0.1:9001 → 192.168.1.20:9002"));

        const QString tcp = list.appendNetTcp("ins", "T", 9000, false);
        QCOMPARE(list.summary(tcp), QStringLiteral("TCP :9000"));
        QCOMPARE(list.appendNetTcp("ins", "", 9000, false), tcp);
        const QString dflt = list.appendNetTcp("ins", "", 0, false);
        QCOMPARE(list.entryListenPort(dflt), 8000);
        QCOMPARE(list.indexOfNetTcp(-1), list.ids().indexOf(dflt));
        QVERIFY(!list.updateNetTcp(dflt, "", 9000) && !list.updateNetTcp("unknown", "", 7000));
        QVERIFY(list.updateNetTcp(dflt, "  新 ", 7000));
        QCOMPARE(list.entryAlias(dflt), QStringLiteral("新"));
        QCOMPARE(list.indexOfNetTcpExcept(7000, dflt), -1);
    }

    void theListIsStoredAsCompactJsonAndLoadsBack()
    {
        QString serial, current;
        {
            ManagedDevices list;
            load(list);
            serial = list.appendSerial("ins", "一号", "/dev/ttyUSB0", 460800, false, "kt15");
            current = list.appendSerial("ins", "", "/dev/ttyUSB1", 19200, true, "");
            list.appendNetTcp("ins", "", 9000, false);
            const QJsonObject tcp = storedList().at(2).toObject();
            QCOMPARE(tcp.keys().size(), 13); // every key, whatever the kind
            QCOMPARE(tcp.value("kind").toString(), QStringLiteral("net"));
            QCOMPARE(tcp.value("deviceModelId").toString(), QStringLiteral("kt45"));
        }
        QVERIFY(readFileBytes(iniPath()).contains("managedDevices=\"@ByteArray([{\\\""));

        ManagedDevices list;
        load(list);
        QCOMPARE(list.ids(), (QStringList { serial, current })); // network links stay behind
        QCOMPARE(list.currentId(), current);
        QCOMPARE(list.entryDeviceModelId(serial), QStringLiteral("kt15"));
        QCOMPARE(list.summary(serial), QStringLiteral("/dev/ttyUSB0 @ 460800"));
    }

    // Entries without id or product and repeated ids are skipped; other products become the
    // INS. A stored current id that is gone falls back to the first entry.
    void loadTakesUsableEntriesOnce_data()
    {
        QTest::addColumn<QStringList>("storedAndCurrent");
        QTest::newRow("current listed") << QStringList { "m1", "m1" };
        QTest::newRow("current gone") << QStringList { "removed", "o1" };

        QTest::newRow("no current") << QStringList { "", "" };
    }

    void loadTakesUsableEntriesOnce()
    {
        QFETCH(QStringList, storedAndCurrent);
        const QByteArray json
            = R"([{"id":"o1","productId":"other","deviceModelId":"kt40","kind":"serial","port":"COM2","baud":9600},
            {"id":"m1","productId":"ins","kind":"serial","port":"COM3"},
            {"id":"","productId":"ins","kind":"serial","port":"COM5"},
            {"id":"p1","productId":"","kind":"serial","port":"COM6"},
            {"id":"n1","productId":"ins","kind":"net","netTransport":"udp","remoteIp":"10.0.0.2"},
            {"id":"o1","productId":"ins","kind":"serial","port":"COM7"}, 42, "text"])";
        ManagedDevices list;
        load(list,
             { { "managedDevices", json }, { "currentManagedDeviceId", storedAndCurrent.at(0) } });
        QCOMPARE(list.ids(), (QStringList { "o1", "m1" }));
        QCOMPARE(list.productId("o1"), QStringLiteral("ins"));
        QCOMPARE(list.summary("o1"), QStringLiteral("COM2 @ 9600"));
        QCOMPARE(list.entryDeviceModelId("o1"), QStringLiteral("kt40"));
        QCOMPARE(list.entryDeviceModelId("m1"), QStringLiteral("kt45"));
        QCOMPARE(list.entryBaud("m1"), 115200);
        QCOMPARE(list.currentId(), storedAndCurrent.at(1));
        // Lookups of an id that is not listed work on an empty entry.
        QCOMPARE(list.title("p1") + list.summary("p1"), QString());
        QCOMPARE(list.entryBaud("p1"), 115200);
    }

    void oldSingleDeviceKeysBecomeOneCurrentEntryAtOnce()
    {
        ManagedDevices list;
        load(list, { { "port", "COM7" }, { "baud", 9600 } });
        const QString id = list.currentId();
        QCOMPARE(list.ids(), QStringList { id });
        QCOMPARE(list.summary(id), QStringLiteral("COM7 @ 9600"));
        QCOMPARE(list.title(id), QStringLiteral("KT45"));
        QVERIFY(readFileBytes(iniPath()).contains("currentManagedDeviceId=" + id.toLatin1()));
        // Without entries the mirrored single-device keys go or are emptied.
        list.remove(id);
        QVERIFY(list.currentId().isEmpty());
        QSettings raw(iniPath(), QSettings::IniFormat);
        QVERIFY(!raw.contains(QStringLiteral("port")) && !raw.contains(QStringLiteral("baud")));
        QCOMPARE(raw.value(QStringLiteral("deviceAlias"), "absent").toString(), QString());
    }

    // An existing list key, even unreadable, stops the migration. An unreadable list is copied
    // and never emptied over; the first device added replaces it; nothing else is lost.
    void noMigration_data()
    {
        QTest::addColumn<QVariantMap>("stored");
        QTest::addColumn<bool>("unreadable");
        const auto with = [](const QByteArray& list) {
            return QVariantMap { { "port", "COM7" },
                                 { "theme", "极夜" },
                                 { "managedDevices", list } };
        };
        QTest::newRow("no port, blank alias")
            << QVariantMap { { "baud", 9600 }, { "deviceAlias", "   " }, { "theme", "极夜" } }
            << false;
        QTest::newRow("empty list") << with("[]") << false;
        QTest::newRow("not json") << with("{{{ not json") << true;
        QTest::newRow("a brace missing")
            << with(R"([{"id":"a","productId":"ins","kind":"serial","port":"COM7"])") << true;
    }

    void noMigration()
    {
        QFETCH(QVariantMap, stored);
        QFETCH(bool, unreadable);
        ManagedDevices list;
        load(list, stored);
        QCOMPARE(list.count(), 0);
        QCOMPARE(list.unreadableCopy().needed, unreadable);
        if (unreadable) {
            QCOMPARE(
                QSettings(list.unreadableCopy().path, QSettings::IniFormat).value("managedDevices"),
                stored.value("managedDevices"));
            const QByteArray before = readFileBytes(iniPath());
            list.save(m_settings->store());
            QCOMPARE(readFileBytes(iniPath()), before);
        }
        QCOMPARE(m_settings->store()->value("managedDevices"), stored.value("managedDevices"));
        const QString id = list.appendSerial("ins", "", "COM8", 0, true, "");
        QCOMPARE(storedList().size(), 1);
        QCOMPARE(storedList().at(0).toObject().value("id").toString(), id);
        QCOMPARE(m_settings->theme(), QStringLiteral("极夜"));
    }

    // The demo writes its own gcs.ini for one KT45 on the simulator's port; the program
    // must take that device as the current one.
    void theDemoSettingsFileManagesItsDevice()
    {
        const QRegularExpressionMatch m
            = QRegularExpression(
                  "\nid=\"([^\"]+)\"\ncat > \"\\$settings/gcs.ini\" <<INI\n(.*?\n)INI\n",
                  QRegularExpression::DotMatchesEverythingOption)
                  .match(QString::fromUtf8(readFileBytes(GCS_SOURCE_DIR "/scripts/demo.sh")));
        QVERIFY2(m.hasMatch(), "demo.sh no longer writes gcs.ini through a here-document");
        // The here-document uses no other expansion than these two.
        const QString port = m_home->filePath(QStringLiteral("ttyINS0"));
        QString ini = m.captured(2);
        QVERIFY(writeFileBytes(iniPath(),
                               ini.replace("$id", m.captured(1)).replace("$port", port).toUtf8()));
        ManagedDevices list;
        load(list);
        QCOMPARE(list.ids(), QStringList { m.captured(1) });
        QCOMPARE(list.currentId(), m.captured(1));
        QCOMPARE(list.summary(list.currentId()), port + " @ 115200");
        QCOMPARE(list.title(list.currentId()), QStringLiteral("KT45"));
    }
};

QTEST_GUILESS_MAIN(TestAppSettings)
#include "tst_appsettings.moc"
