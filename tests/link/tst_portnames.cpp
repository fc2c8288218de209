#include "link/LocalIp.h"
#include "link/SerialPortName.h"

#include <QTest>

using namespace gcs;

class TestPortNames : public QObject
{
    Q_OBJECT
private slots:
    void serialNamesAboveCom9UseTheDeviceNamespace_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("expected");
        QTest::newRow("COM12") << "COM12" << "\\\\.\\COM12";
        QTest::newRow("com15 lower case") << "com15" << "\\\\.\\com15";
        QTest::newRow("COM10 boundary") << "COM10" << "\\\\.\\COM10";
        QTest::newRow("COM9 stays") << "COM9" << "COM9";
        QTest::newRow("COM3 with description") << "COM3 (USB serial)" << "COM3";
        QTest::newRow("list entry with two blanks") << "COM21  CH340" << "\\\\.\\COM21";
        QTest::newRow("COMX is not a number") << "COMX" << "COMX";
        QTest::newRow("COM1A is not a number") << "COM1A" << "COM1A";
        QTest::newRow("unix device path") << "/dev/ttyUSB0" << "/dev/ttyUSB0";
        QTest::newRow("padded path") << "  /dev/ttyS1  " << "/dev/ttyS1";
        QTest::newRow("empty") << "" << "";
    }
    void serialNamesAboveCom9UseTheDeviceNamespace()
    {
        QFETCH(QString, input);
        QFETCH(QString, expected);
        QCOMPARE(normalizedSerialPortName(input), expected);
    }

    void portKeyIsTheFirstWord()
    {
        QCOMPARE(portKeyFromText(QStringLiteral("COM7  Prolific USB")), QStringLiteral("COM7"));
        QCOMPARE(portKeyFromText(QStringLiteral("   ")), QString());
        QCOMPARE(portKeyFromText(QStringLiteral(" /dev/ttyACM0 ")), QStringLiteral("/dev/ttyACM0"));
    }

    void anyLocalAddressHasOneCanonicalForm()
    {
        QCOMPARE(normalizedLocalIp(QStringLiteral("0.0.0.0")), QString());
        QCOMPARE(normalizedLocalIp(QStringLiteral("   ")), QString());
        QCOMPARE(normalizedLocalIp(QString()), QString());
        QCOMPARE(normalizedLocalIp(QStringLiteral(" 0.0.0.0 ")), QString());
        QCOMPARE(normalizedLocalIp(QStringLiteral("127.0.0.1")), QStringLiteral("127.0.0.1"));
        QCOMPARE(normalizedLocalIp(QStringLiteral(" 192.168.1.5")), QStringLiteral("192.168.1.5"));
    }
};

QTEST_GUILESS_MAIN(TestPortNames)
#include "tst_portnames.moc"
