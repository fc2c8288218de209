// The files of the configuration pages: the gyro calibration file, the compensation
// text, whole text files through the controller, and the axis rule of "set axis".
#include "app/Application.h"
#include "app/AxisTriple.h"
#include "app/CalibrationDat.h"
#include "app/CompensationFile.h"

#include "TestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using gcs::Application;
using gcs::CalibrationDat;
using gcs::CompensationFile;
using gcs::test::writeFileBytes;

class TestConfigFiles : public QObject
{
    Q_OBJECT

private slots:
    void benchFileFillsEveryGyroKey()
    {
        const QVariantMap v = CalibrationDat::parse(QString::fromUtf8(gcs::test::readFileBytes(
            QDir(gcs::test::dataDir()).filePath(QStringLiteral("config/gyro_cal.dat")))));
        QCOMPARE(QStringList(v.keys()), CalibrationDat::keys());
        QCOMPARE(v.size(), 19);
        QCOMPARE(v.value("sn").typeId(), QMetaType::Int); // from the data file's name
        QCOMPARE(v.value("sn").toInt(), 24061234);
        QCOMPARE(v.value("biasx").typeId(), QMetaType::Double);
        QCOMPARE(v.value("biasx").toDouble(), -0.0123);
        QCOMPARE(v.value("kggx").toDouble(), 1.0023); // blanks after the colon
        QCOMPARE(v.value("t1z").toDouble(), -1.2e-05); // small terms keep their exponent
    }

    // "label：number" lines with a known label, and the data file's name; the number of
    // the name is the part before its first point, and a name without one gives nothing.
    void calibrationLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QVariantMap>("values");
        const auto sn = [](int n) { return QVariantMap { { "sn", n } }; };
        QTest::newRow("bare name") << "1234.dat" << sn(1234);
        QTest::newRow("in a Windows folder") << "数据文件名：D:\\cal\\91.x.dat" << sn(91);
        QTest::newRow("in a folder") << "/srv/cal/77.dat" << sn(77);
        QTest::newRow("name not a number") << "gyro.dat" << QVariantMap();
        QTest::newRow("number beyond int") << "99999999999.dat" << QVariantMap();
        QTest::newRow("label without a file name")
            << "数据文件名：4321" << QVariantMap { { "sn", 4321.0 } };
        QTest::newRow("ASCII colon, unknown label, no number")
            << "静态漂移Y: 0.5\n标定温度：25.5\n静态漂移：1\n静态漂移X：abc\n"
            << QVariantMap();
        QTest::newRow("the later line wins") << "刻度温度X：1.5\n刻度温度X：1.25\n"
                                             << QVariantMap { { "kggx", 1.25 } };
    }

    void calibrationLines()
    {
        QFETCH(QString, text);
        QFETCH(QVariantMap, values);
        QCOMPARE(CalibrationDat::parse(text), values);
    }

    // The first and second line of a compensation file name the IMU and its serial number
    // in their fourth field.
    void compensationLinesNameTheImu()
    {
        const QString text = QStringLiteral("#vorn,set imu,1,IMU-07*ff\r\n"
                                            "#vorn,set imu sn,1,A1B2C3*ff\r\n#vorn,x*ff\r\n");
        const QVariantMap b = CompensationFile::bundle(text);
        QCOMPARE(b.value("content").toString(), text);
        QCOMPARE(b.value("imuId").toString(), QStringLiteral("IMU-07"));
        QCOMPARE(b.value("imuSn").toString(), QStringLiteral("A1B2C3"));
        QCOMPARE(CompensationFile::bundle("#vorn,a,b,ID9*ff").keys(),
                 QStringList({ "content", "imuId" }));
        QCOMPARE(CompensationFile::bundle("abc\nd,e\n").keys(), QStringList { "content" });
        QVERIFY(CompensationFile::bundle(QString()).isEmpty());
    }

    void theControllerSaysWhatItReadWroteOrCouldNot()
    {
        QTemporaryDir home;
        gcs::test::EnvOverride env("LOCALAPPDATA", home.path().toLocal8Bit());
        Application app;
        const QString cal
            = QDir(gcs::test::dataDir()).filePath(QStringLiteral("config/gyro_cal.dat"));
        QCOMPARE(app.parseCompensateDatFile(cal).size(), 19);
        QCOMPARE(app.userNotice(), QStringLiteral("已读取标定数据 19 项：gyro_cal.dat"));

        // UTF-8 text survives a write and a read; a second write replaces it.
        const QString path = home.filePath(QStringLiteral("读回.txt"));
        QVERIFY(
            app.writeTextFile(path, QStringLiteral("#vorn,a,b,ID1*ff\n#vorn,c,d,SN2*ff ±0.5°\n")));
        QCOMPARE(app.userNotice(), QStringLiteral("已保存：") + QDir::toNativeSeparators(path));
        const QVariantMap bundle = app.readCompensateFileBundle(path);
        QCOMPARE(bundle.value("imuSn").toString(), QStringLiteral("SN2"));
        QCOMPARE(app.userNotice(), QStringLiteral("已打开补偿文件：读回.txt"));
        QVERIFY(app.writeTextFile(path, QStringLiteral("x\r\ny")));
        QCOMPARE(app.readTextFile(path), QStringLiteral("x\ny")); // CR LF reads as LF

        const auto failsWith = [&app](bool failed, const QString& start) {
            return failed && app.lastError().startsWith(start);
        };
        const QString missing = home.filePath(QStringLiteral("gone.dat"));
        QVERIFY(failsWith(app.parseCompensateDatFile(missing).isEmpty(), "无法打开文件："));
        QVERIFY(app.lastError().contains(QDir::toNativeSeparators(missing)));
        QVERIFY(failsWith(app.readCompensateFileBundle(missing).isEmpty(), "无法打开文件："));
        QVERIFY(failsWith(app.readTextFile(missing).isEmpty(), "无法打开文件："));
        QVERIFY(writeFileBytes(home.filePath(QStringLiteral("notes.dat")), "标定温度：25\n"));
        QVERIFY(failsWith(app.parseCompensateDatFile(home.filePath("notes.dat")).isEmpty(),
                          "文件中没有可识别的标定数据：notes.dat"));
        // The labels of a file saved in a Chinese code page do not read as UTF-8.
        QVERIFY(writeFileBytes(home.filePath(QStringLiteral("gbk.dat")),
                               "\xBE\xB2\xCC\xAC\xC6\xAF\xD2\xC6X\xA3\xBA"
                               "0.5\n"));
        QVERIFY(app.parseCompensateDatFile(home.filePath("gbk.dat")).isEmpty());
        QVERIFY2(app.lastError().contains(QStringLiteral("不是 UTF-8 编码")),
                 qPrintable(app.lastError()));
        QVERIFY(writeFileBytes(home.filePath(QStringLiteral("empty.txt")), QByteArray()));
        QVERIFY(failsWith(app.readCompensateFileBundle(home.filePath("empty.txt")).isEmpty(),
                          "补偿文件为空：empty.txt"));
        QVERIFY(failsWith(!app.writeTextFile(QString(), "x"), "未选择保存位置"));
        QVERIFY(failsWith(!app.writeTextFile(home.filePath("a/b/c.txt"), "x"), "无法写入文件："));
        QVERIFY(!QFile::exists(home.filePath("a/b/c.txt")));
        QVERIFY(QDir(home.path()).mkdir(QStringLiteral("taken"))); // a folder in the way
        QVERIFY(failsWith(!app.writeTextFile(home.filePath("taken"), "x"), "无法写入文件："));
    }

    void onlyRightHandedTriplesOfDifferentAxesAreValid()
    {
        const QStringList tokens { "x", "-x", "y", "-y", "z", "-z" };
        int valid = 0;
        for (const QString& a : tokens)
            for (const QString& b : tokens)
                for (const QString& c : tokens) {
                    if (gcs::AxisTriple::isValid(a, b, c)) {
                        ++valid;
                        QVERIFY(a.back() != b.back() && b.back() != c.back()
                                && a.back() != c.back());
                    }
                }
        QCOMPARE(valid, 24); // the proper rotations of a cube, not their mirror images
        QVERIFY(gcs::AxisTriple::isValid({ "y", "x", "-z" }));
        QVERIFY(!gcs::AxisTriple::isValid({ "y", "x", "z" }));
        QVERIFY(!gcs::AxisTriple::isValid({ "x", "x", "z" }));
        QVERIFY(!gcs::AxisTriple::isValid({ "X", "Y", "Z" }));
        QVERIFY(!gcs::AxisTriple::isValid({ "x", "y", "z", "x" }));
    }
};

QTEST_GUILESS_MAIN(TestConfigFiles)
#include "tst_configfiles.moc"
