#include "catalog/AppSettings.h"

#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using gcs::AppSettings;
using gcs::test::EnvOverride;
using gcs::test::readFileBytes;
using gcs::test::writeFileBytes;

class TestAppSettings : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<EnvOverride> m_env;

    QString iniPath() const { return m_dir->filePath(QStringLiteral("TelvoMonitor/gcs.ini")); }

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

    void fileLivesUnderLocalAppDataInANewFolder()
    {
        QVERIFY(!QFileInfo::exists(m_dir->filePath(QStringLiteral("TelvoMonitor"))));
        AppSettings settings;
        QCOMPARE(settings.filePath(), iniPath());
        QVERIFY(QFileInfo(m_dir->filePath(QStringLiteral("TelvoMonitor"))).isDir());
        settings.setTheme(QStringLiteral("深空黑"));
        settings.flushToDisk();
        QVERIFY(readFileBytes(iniPath()).contains("theme="));
    }

    void withoutLocalAppDataTheFileGoesToTheGenericDataLocation_data()
    {
        QTest::addColumn<QByteArray>("localAppData");
        QTest::newRow("unset") << QByteArray();
        QTest::newRow("empty") << QByteArray("");
    }

    void withoutLocalAppDataTheFileGoesToTheGenericDataLocation()
    {
        QFETCH(QByteArray, localAppData);
        QTemporaryDir dataHome;
        EnvOverride xdg("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
        EnvOverride local("LOCALAPPDATA", localAppData);
        const QString expected = dataHome.filePath(QStringLiteral("TelvoMonitor/gcs.ini"));
        QCOMPARE(AppSettings::defaultFilePath(), expected);

        AppSettings settings;
        QCOMPARE(settings.filePath(), expected);
        QVERIFY(QFileInfo(dataHome.filePath(QStringLiteral("TelvoMonitor"))).isDir());
        settings.setLastPort(QStringLiteral("COM7"));
        settings.flushToDisk();
        QVERIFY(readFileBytes(expected).contains("port=COM7"));
        QVERIFY(!QFileInfo::exists(iniPath()));
    }

    void missingFileReadsEveryDefault()
    {
        AppSettings settings;
        QCOMPARE(settings.lastPort(), QString());
        QCOMPARE(settings.lastBaud(), 115200);
        QCOMPARE(settings.theme(), QStringLiteral("航天国防蓝"));
        QCOMPARE(settings.lastProductId(), QStringLiteral("ins"));
        QCOMPARE(settings.deviceAlias(), QString());
        QCOMPARE(settings.reduceMotion(), false);
        QCOMPARE(settings.chartWindowSec(), 16);
        QVERIFY(settings.customSerialBauds().isEmpty());
    }

    void settersWriteAndNotifyOnlyOnARealChange()
    {
        AppSettings settings;
        QSignalSpy port(&settings, &AppSettings::lastPortChanged);
        QSignalSpy baud(&settings, &AppSettings::lastBaudChanged);
        QSignalSpy theme(&settings, &AppSettings::themeChanged);
        QSignalSpy product(&settings, &AppSettings::lastProductIdChanged);
        QSignalSpy alias(&settings, &AppSettings::deviceAliasChanged);
        QSignalSpy motion(&settings, &AppSettings::reduceMotionChanged);
        QSignalSpy chart(&settings, &AppSettings::chartWindowSecChanged);

        // Writing the default of an absent key is no change.
        settings.setLastBaud(115200);
        settings.setTheme(QStringLiteral("航天国防蓝"));
        settings.setLastProductId(QStringLiteral("ins"));
        settings.setReduceMotion(false);
        settings.setChartWindowSec(16);
        QCOMPARE(baud.count() + theme.count() + product.count() + motion.count() + chart.count(),
                 0);
        settings.flushToDisk();
        QVERIFY(!readFileBytes(iniPath()).contains("baud"));

        for (int round = 0; round < 2; ++round) {
            settings.setLastPort(QStringLiteral("COM3"));
            settings.setLastBaud(9600);
            settings.setTheme(QStringLiteral("极夜"));
            settings.setLastProductId(QStringLiteral("other"));
            settings.setDeviceAlias(QStringLiteral("车载 1"));
            settings.setReduceMotion(true);
            settings.setChartWindowSec(30);
        }
        for (QSignalSpy* spy : { &port, &baud, &theme, &product, &alias, &motion, &chart })
            QCOMPARE(spy->count(), 1);
        QCOMPARE(settings.lastPort(), QStringLiteral("COM3"));
        QCOMPARE(settings.lastBaud(), 9600);
        QCOMPARE(settings.theme(), QStringLiteral("极夜"));
        QCOMPARE(settings.lastProductId(), QStringLiteral("other"));
        QCOMPARE(settings.deviceAlias(), QStringLiteral("车载 1"));
        QCOMPARE(settings.reduceMotion(), true);
        QCOMPARE(settings.chartWindowSec(), 30);
    }

    void valuesWrittenThroughSettersReachTheFileAndANewObject()
    {
        {
            AppSettings settings;
            settings.setLastPort(QStringLiteral("/dev/ttyUSB0"));
            settings.setLastBaud(460800);
            settings.setTheme(QStringLiteral("极夜"));
            settings.setDeviceAlias(QStringLiteral("测试台"));
            settings.setReduceMotion(true);
            settings.setChartWindowSec(60);
            QVERIFY(settings.addCustomSerialBaud(57600));
            settings.flushToDisk();
            const QByteArray ini = readFileBytes(iniPath());
            QVERIFY2(ini.contains("port=/dev/ttyUSB0"), ini.constData());
            QVERIFY2(ini.contains("baud=460800"), ini.constData());
            QVERIFY2(ini.contains("reduceMotion=true"), ini.constData());
            QVERIFY2(ini.contains("chartWindowSec=60"), ini.constData());
            QVERIFY2(ini.contains("customSerialBauds="), ini.constData());
        }
        AppSettings reopened;
        QCOMPARE(reopened.lastPort(), QStringLiteral("/dev/ttyUSB0"));
        QCOMPARE(reopened.lastBaud(), 460800);
        QCOMPARE(reopened.theme(), QStringLiteral("极夜"));
        QCOMPARE(reopened.deviceAlias(), QStringLiteral("测试台"));
        QCOMPARE(reopened.reduceMotion(), true);
        QCOMPARE(reopened.chartWindowSec(), 60);
        QCOMPARE(reopened.customSerialBauds(), QList<int> { 57600 });
    }

    void chartWindowIsClampedOnWriteButNotOnRead()
    {
        AppSettings settings;
        QSignalSpy chart(&settings, &AppSettings::chartWindowSecChanged);
        settings.setChartWindowSec(5);
        QCOMPARE(settings.chartWindowSec(), 8);
        settings.setChartWindowSec(3); // clamps to the stored 8: no change
        QCOMPARE(chart.count(), 1);
        settings.setChartWindowSec(500);
        QCOMPARE(settings.chartWindowSec(), 120);
        QCOMPARE(chart.count(), 2);

        settings.store()->setValue(QStringLiteral("chartWindowSec"), 3);
        QCOMPARE(settings.chartWindowSec(), 3);
    }

    void customBaudLimitsAndBuiltInRates_data()
    {
        QTest::addColumn<int>("baud");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("below range") << 299 << false;
        QTest::newRow("lowest") << 300 << true;
        QTest::newRow("highest") << 3000000 << true;
        QTest::newRow("above range") << 3000001 << false;
        QTest::newRow("zero") << 0 << false;
        QTest::newRow("built-in 115200") << 115200 << false;
        QTest::newRow("built-in 380400") << 380400 << false;
        QTest::newRow("built-in 9600") << 9600 << false;
        QTest::newRow("384000 is not built in") << 384000 << true;
    }

    void customBaudLimitsAndBuiltInRates()
    {
        QFETCH(int, baud);
        QFETCH(bool, accepted);
        AppSettings settings;
        QSignalSpy changed(&settings, &AppSettings::customSerialBaudsChanged);
        QCOMPARE(settings.addCustomSerialBaud(baud), accepted);
        QCOMPARE(changed.count(), accepted ? 1 : 0);
        QCOMPARE(settings.isCustomSerialBaud(baud), accepted);
        // A second add of the same rate is always refused.
        QVERIFY(!settings.addCustomSerialBaud(baud));
        QCOMPARE(changed.count(), accepted ? 1 : 0);
    }

    void customBaudsKeepInsertionOrderAndRemoveOnlyStoredOnes()
    {
        AppSettings settings;
        QSignalSpy changed(&settings, &AppSettings::customSerialBaudsChanged);
        QVERIFY(settings.addCustomSerialBaud(57600));
        QVERIFY(settings.addCustomSerialBaud(1200));
        QVERIFY(settings.addCustomSerialBaud(921600));
        QCOMPARE(settings.customSerialBauds(), (QList<int> { 57600, 1200, 921600 }));

        QVERIFY(!settings.removeCustomSerialBaud(115200));
        QVERIFY(!settings.removeCustomSerialBaud(4800));
        QCOMPARE(changed.count(), 3);
        QVERIFY(settings.removeCustomSerialBaud(1200));
        QCOMPARE(changed.count(), 4);
        QVERIFY(!settings.removeCustomSerialBaud(1200));
        QCOMPARE(settings.customSerialBauds(), (QList<int> { 57600, 921600 }));
        QVERIFY(!settings.isCustomSerialBaud(1200));
    }

    void invalidStoredCustomBaudsAreIgnoredAndVanishOnTheNextWrite()
    {
        QVERIFY(writeFileBytes(iniPath(),
                               "[General]\ncustomSerialBauds=0, -5, 57600, 57600, 1200, abc\n"));
        AppSettings settings;
        QCOMPARE(settings.customSerialBauds(), (QList<int> { 57600, 1200 }));
        QVERIFY(!settings.addCustomSerialBaud(57600));
        QVERIFY(settings.addCustomSerialBaud(2400));
        settings.flushToDisk();
        const QByteArray ini = readFileBytes(iniPath());
        QVERIFY2(ini.contains("customSerialBauds=57600, 1200, 2400"), ini.constData());
    }

    void fileThatIsNotIniReadsDefaultsAndStillTakesWrites_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("binary") << QByteArray("\x00\xff\xfe\x01garbage\x00\x7f[[[", 16);
        QTest::newRow("json") << QByteArray("{\"port\": \"COM3\", \"baud\": 9600}\n");
        QTest::newRow("broken section") << QByteArray("[General\nport\n=\n\n");
    }

    void fileThatIsNotIniReadsDefaultsAndStillTakesWrites()
    {
        QFETCH(QByteArray, content);
        QVERIFY(writeFileBytes(iniPath(), content));
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("is not a valid INI file")));
        {
            AppSettings settings;
            QCOMPARE(settings.lastBaud(), 115200);
            QCOMPARE(settings.lastPort(), QString());
            QCOMPARE(settings.chartWindowSec(), 16);
            settings.setLastPort(QStringLiteral("COM9"));
            settings.setLastBaud(230400);
            settings.flushToDisk();
        }
        // The unreadable original is kept beside the rewritten file.
        QCOMPARE(readFileBytes(iniPath() + QStringLiteral(".bad")), content);
        AppSettings reopened;
        QCOMPARE(reopened.lastPort(), QStringLiteral("COM9"));
        QCOMPARE(reopened.lastBaud(), 230400);
    }
};

QTEST_GUILESS_MAIN(TestAppSettings)
#include "tst_appsettings.moc"
