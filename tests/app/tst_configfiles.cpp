// The files of the configuration pages on their own: the gyro calibration file, the
// compensation text, whole text files, and the axis rule of "set axis".
#include "app/Application.h"
#include "app/AxisTriple.h"
#include "app/CalibrationDat.h"
#include "app/CompensationFile.h"
#include "app/TextFile.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using gcs::Application;
using gcs::AxisTriple;
using gcs::CalibrationDat;
using gcs::CompensationFile;
using gcs::FileDialogs;
using gcs::TextFile;

namespace {

QString dataFile(const char* name)
{
    return QDir(gcs::test::dataDir()).filePath(QStringLiteral("config/") + QLatin1String(name));
}

QString readData(const char* name)
{
    return QString::fromUtf8(gcs::test::readFileBytes(dataFile(name)));
}

} // namespace

class TestConfigFiles : public QObject
{
    Q_OBJECT

private slots:
    // ---- gyro calibration file ------------------------------------------------------

    void benchFileFillsEveryGyroKey()
    {
        const QVariantMap v = CalibrationDat::parse(readData("gyro_cal.dat"));
        QStringList expected = CalibrationDat::keys();
        QCOMPARE(expected.size(), 19);
        QCOMPARE(QStringList(v.keys()), expected);

        QCOMPARE(v.value("sn").typeId(), QMetaType::Int);
        QCOMPARE(v.value("sn").toInt(), 24061234);
        QCOMPARE(v.value("biasx").typeId(), QMetaType::Double);
        QCOMPARE(v.value("biasx").toDouble(), -0.0123);
        QCOMPARE(v.value("kggx").toDouble(), 1.0023); // blanks after the colon
        QCOMPARE(v.value("t2z").toDouble(), 0.0);
        QCOMPARE(v.value("kg1zx").toDouble(), -0.0015);
        // Small terms written with an exponent keep it.
        QCOMPARE(v.value("t1z").toDouble(), -1.2e-05);
        QCOMPARE(v.value("t2x").toDouble(), 2.5e-07);
    }

    void linesOutsideTheLabelRuleChangeNothing()
    {
        const QVariantMap v = CalibrationDat::parse(readData("gyro_partial.dat"));
        // The ASCII colon of "静态漂移Y" does not count; a later line with the same label
        // wins; only what the file holds is returned.
        QCOMPARE(QStringList(v.keys()), QStringList({ "biasx", "kggx", "sn" }));
        QCOMPARE(v.value("sn").toInt(), 1234);
        QCOMPARE(v.value("biasx").toDouble(), -0.0123);
        QCOMPARE(v.value("kggx").toDouble(), 1.25);

        // A temperature line has a number but no key; an empty text gives nothing.
        QVERIFY(CalibrationDat::parse(QStringLiteral("标定温度：25.5\n静态漂移：1\n")).isEmpty());
        QVERIFY(CalibrationDat::parse(QString()).isEmpty());
        QVERIFY(CalibrationDat::parse(QStringLiteral("静态漂移X：abc\n")).isEmpty());
    }

    void dataFileNameGivesTheSerialNumber_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("sn");
        QTest::newRow("bare name") << "1234.dat" << true << 1234;
        QTest::newRow("after its label") << "数据文件名：5678.dat" << true << 5678;
        QTest::newRow("in a Windows folder") << "数据文件名：D:\\cal\\91.x.dat" << true << 91;
        QTest::newRow("in a folder") << "/srv/cal/77.dat" << true << 77;
        QTest::newRow("not a number") << "gyro.dat" << false << 0;
        QTest::newRow("beyond int") << "99999999999.dat" << false << 0;
    }

    void dataFileNameGivesTheSerialNumber()
    {
        QFETCH(QString, line);
        QFETCH(bool, ok);
        QFETCH(int, sn);
        bool parsed = !ok;
        QCOMPARE(CalibrationDat::serialFromFileName(line, &parsed), sn);
        QCOMPARE(parsed, ok);
        // A name without a number leaves the serial number out rather than zeroing it.
        const QVariantMap v = CalibrationDat::parse(line + QStringLiteral("\n"));
        QCOMPARE(v.contains("sn"), ok);
        if (ok)
            QCOMPARE(v.value("sn").toInt(), sn);
    }

    void labelledSerialNumberWithoutFileNameIsANumber()
    {
        const QVariantMap v = CalibrationDat::parse(QStringLiteral("数据文件名：4321\n"));
        QCOMPARE(v.value("sn").toDouble(), 4321.0);
    }

    // ---- compensation text --------------------------------------------------------------

    void compensationLinesNameTheImu()
    {
        const QString text = QStringLiteral("#vorn,set imu,1,IMU-07*ff\r\n"
                                            "#vorn,set imu sn,1,A1B2C3*ff\r\n"
                                            "#vorn,set comp,0.1,0.2*ff\r\n");
        const QVariantMap b = CompensationFile::bundle(text);
        QCOMPARE(b.value("content").toString(), text);
        QCOMPARE(b.value("imuId").toString(), QStringLiteral("IMU-07"));
        QCOMPARE(b.value("imuSn").toString(), QStringLiteral("A1B2C3"));

        const QVariantMap single = CompensationFile::bundle(QStringLiteral("#vorn,a,b,ID9*ff"));
        QCOMPARE(single.value("imuId").toString(), QStringLiteral("ID9"));
        QVERIFY(single.contains("content"));
        QVERIFY(!single.contains("imuSn"));

        // A short line names nothing; the text still comes back.
        const QVariantMap shortLines = CompensationFile::bundle(QStringLiteral("abc\nd,e\n"));
        QCOMPARE(QStringList(shortLines.keys()), QStringList({ "content" }));
        QVERIFY(CompensationFile::bundle(QString()).isEmpty());
    }

    // ---- text files -----------------------------------------------------------------------

    void textSurvivesAWriteAndARead()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("读回.txt"));
        const QString text = QStringLiteral("#vorn,factory,GyroSN:1*ff\n第二行 ±0.5°\n");
        QString why;
        QVERIFY2(TextFile::write(path, text, &why), qPrintable(why));
        QString back;
        bool invalid = true;
        QVERIFY(TextFile::read(path, &back, &why, &invalid));
        QCOMPARE(back, text);
        QVERIFY(!invalid);

        // A second write replaces the content.
        QVERIFY(TextFile::write(path, QStringLiteral("x"), &why));
        QVERIFY(TextFile::read(path, &back, &why));
        QCOMPARE(back, QStringLiteral("x"));

        // CR LF from another editor reads as LF; bytes that are not UTF-8 are flagged.
        QVERIFY(gcs::test::writeFileBytes(path, "a\r\nb\xB1\xEA\r\n"));
        QVERIFY(TextFile::read(path, &back, &why, &invalid));
        QVERIFY(back.startsWith(QStringLiteral("a\nb")));
        QVERIFY(invalid);
    }

    void fileErrorsSayWhatWentWrong()
    {
        QTemporaryDir dir;
        QString why;
        QString content = QStringLiteral("kept");
        const QString missing = dir.filePath(QStringLiteral("none.txt"));
        QVERIFY(!TextFile::read(missing, &content, &why));
        QVERIFY2(why.startsWith(QStringLiteral("无法打开文件：")), qPrintable(why));
        QVERIFY(why.contains(QDir::toNativeSeparators(missing)));
        QCOMPARE(content, QStringLiteral("kept"));

        QVERIFY(!TextFile::write(QString(), QStringLiteral("x"), &why));
        QCOMPARE(why, QStringLiteral("未选择保存位置"));
        QVERIFY(!TextFile::read(QString(), &content, &why));
        QCOMPARE(why, QStringLiteral("未选择文件"));

        const QString inMissingFolder = dir.filePath(QStringLiteral("no/such/folder/a.txt"));
        QVERIFY(!TextFile::write(inMissingFolder, QStringLiteral("x"), &why));
        QVERIFY2(why.startsWith(QStringLiteral("无法写入文件：")), qPrintable(why));
        QVERIFY(!QFile::exists(inMissingFolder));

        // A folder in the way of the file: refused, and the folder is untouched.
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("taken")));
        QVERIFY(!TextFile::write(dir.filePath(QStringLiteral("taken")), QStringLiteral("x"), &why));
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("taken"))).isDir());
    }

    // ---- the controller's file operations ---------------------------------------------

    void controllerReportsEveryFileThatGivesNothing()
    {
        QTemporaryDir home;
        gcs::test::EnvOverride env("LOCALAPPDATA", home.path().toLocal8Bit());
        Application app;
        QSignalSpy errors(&app, &Application::lastErrorChanged);

        const QString missing = home.filePath(QStringLiteral("gone.dat"));
        QVERIFY(app.parseCompensateDatFile(missing).isEmpty());
        QVERIFY2(app.lastError().startsWith(QStringLiteral("无法打开文件：")),
                 qPrintable(app.lastError()));
        QVERIFY(app.readCompensateFileBundle(missing).isEmpty());
        QVERIFY(app.lastError().startsWith(QStringLiteral("无法打开文件：")));
        QVERIFY(app.readTextFile(missing).isEmpty());
        QVERIFY(app.lastError().startsWith(QStringLiteral("无法打开文件：")));
        QCOMPARE(errors.count(), 3);

        const QString noValues = home.filePath(QStringLiteral("notes.dat"));
        QVERIFY(gcs::test::writeFileBytes(noValues, "标定温度：25\n"));
        QVERIFY(app.parseCompensateDatFile(noValues).isEmpty());
        QCOMPARE(app.lastError(), QStringLiteral("文件中没有可识别的标定数据：notes.dat"));

        // The labels of a file saved in a Chinese code page do not read as UTF-8.
        const QString gbk = home.filePath(QStringLiteral("gbk.dat"));
        QVERIFY(gcs::test::writeFileBytes(gbk,
                                          "\xBE\xB2\xCC\xAC\xC6\xAF\xD2\xC6X\xA3\xBA"
                                          "0.5\n"));
        QVERIFY(app.parseCompensateDatFile(gbk).isEmpty());
        QVERIFY2(app.lastError().contains(QStringLiteral("不是 UTF-8 编码")),
                 qPrintable(app.lastError()));

        const QString empty = home.filePath(QStringLiteral("empty.txt"));
        QVERIFY(gcs::test::writeFileBytes(empty, QByteArray()));
        QVERIFY(app.readCompensateFileBundle(empty).isEmpty());
        QCOMPARE(app.lastError(), QStringLiteral("补偿文件为空：empty.txt"));

        QVERIFY(!app.writeTextFile(QString(), QStringLiteral("x")));
        QCOMPARE(app.lastError(), QStringLiteral("未选择保存位置"));
        QVERIFY(
            !app.writeTextFile(home.filePath(QStringLiteral("a/b/c.txt")), QStringLiteral("x")));
        QVERIFY(app.lastError().startsWith(QStringLiteral("无法写入文件：")));
    }

    void controllerConfirmsWhatItReadAndWrote()
    {
        QTemporaryDir home;
        gcs::test::EnvOverride env("LOCALAPPDATA", home.path().toLocal8Bit());
        Application app;

        const QVariantMap cal = app.parseCompensateDatFile(dataFile("gyro_cal.dat"));
        QCOMPARE(cal.size(), 19);
        QVERIFY(app.lastError().isEmpty());
        QCOMPARE(app.userNotice(), QStringLiteral("已读取标定数据 19 项：gyro_cal.dat"));

        const QString path = home.filePath(QStringLiteral("comp.txt"));
        QVERIFY(app.writeTextFile(path, QStringLiteral("#vorn,a,b,ID1*ff\n#vorn,c,d,SN2*ff\n")));
        QCOMPARE(app.userNotice(), QStringLiteral("已保存：") + QDir::toNativeSeparators(path));
        const QVariantMap bundle = app.readCompensateFileBundle(path);
        QCOMPARE(bundle.value("imuId").toString(), QStringLiteral("ID1"));
        QCOMPARE(bundle.value("imuSn").toString(), QStringLiteral("SN2"));
        QCOMPARE(app.userNotice(), QStringLiteral("已打开补偿文件：comp.txt"));
        QCOMPARE(app.readTextFile(path), bundle.value("content").toString());
    }

    void dialogsAskTheChooserWithTheirTitleAndFilter()
    {
        QTemporaryDir home;
        gcs::test::EnvOverride env("LOCALAPPDATA", home.path().toLocal8Bit());
        Application app;
        QList<std::tuple<FileDialogs::Kind, QString, QString>> asked;
        app.setFileChooser(
            [&](FileDialogs::Kind kind, const QString& title, const QString& filter) {
                asked.append({ kind, title, filter });
                return kind == FileDialogs::Kind::Save ? QString() : QStringLiteral("/chosen");
            });
        QCOMPARE(app.pickOpenFile(QStringLiteral("补偿文件"), QStringLiteral("TXT (*.txt)")),
                 QStringLiteral("/chosen"));
        QCOMPARE(app.pickSaveFile(QStringLiteral("保存设备读回"), QStringLiteral("文本 (*.txt)")),
                 QString());
        QCOMPARE(app.pickDirectory(QStringLiteral("记录目录")), QStringLiteral("/chosen"));
        QCOMPARE(asked.size(), 3);
        QCOMPARE(std::get<0>(asked[0]), FileDialogs::Kind::Open);
        QCOMPARE(std::get<1>(asked[0]), QStringLiteral("补偿文件"));
        QCOMPARE(std::get<2>(asked[0]), QStringLiteral("TXT (*.txt)"));
        QCOMPARE(std::get<0>(asked[1]), FileDialogs::Kind::Save);
        QCOMPARE(std::get<0>(asked[2]), FileDialogs::Kind::Directory);
        QCOMPARE(std::get<1>(asked[2]), QStringLiteral("记录目录"));
        QVERIFY(std::get<2>(asked[2]).isEmpty());
    }

    // ---- installation axes ----------------------------------------------------------------

    void onlyRightHandedTriplesOfDifferentAxesAreValid()
    {
        const QStringList tokens { "x", "-x", "y", "-y", "z", "-z" };
        int valid = 0;
        for (const QString& a : tokens) {
            for (const QString& b : tokens) {
                for (const QString& c : tokens) {
                    if (AxisTriple::isValid(a, b, c)) {
                        ++valid;
                        QVERIFY(a.back() != b.back() && b.back() != c.back()
                                && a.back() != c.back());
                    }
                }
            }
        }
        // The 24 proper rotations of a cube; their 24 mirror images are refused.
        QCOMPARE(valid, 24);
        QVERIFY(AxisTriple::isValid({ "x", "y", "z" }));
        QVERIFY(AxisTriple::isValid({ "y", "x", "-z" }));
        QVERIFY(AxisTriple::isValid({ "-x", "-y", "z" }));
        QVERIFY(AxisTriple::isValid({ "z", "x", "y" }));
        QVERIFY(!AxisTriple::isValid({ "y", "x", "z" }));
        QVERIFY(!AxisTriple::isValid({ "x", "x", "z" }));
        QVERIFY(!AxisTriple::isValid({ "x", "-x", "z" }));
        QVERIFY(!AxisTriple::isValid({ "x", "y" }));
        QVERIFY(!AxisTriple::isValid({ "X", "Y", "Z" }));
        QVERIFY(!AxisTriple::isValid({ "x", "y", "z", "x" }));
    }
};

QTEST_GUILESS_MAIN(TestConfigFiles)
#include "tst_configfiles.moc"
