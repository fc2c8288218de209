// telvo-sim's static motion recorded over its pseudo-terminal with telvo-cli record and
// analysed with telvo-cli adev: the figures give back the noise the simulator was told.
#include "TestSupport.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <cmath>

namespace {

QJsonObject adev(const QStringList& args)
{
    QProcess cli;
    gcs::test::pinCliLocale(cli);
    cli.start(QDir(gcs::test::binDir()).filePath("telvo-cli"),
              QStringList { "adev", "--json" } + args);
    if (!cli.waitForFinished(60000) || cli.exitCode() != 0)
        qWarning() << cli.readAllStandardError();
    return QJsonDocument::fromJson(cli.readAllStandardOutput()).object();
}

} // namespace

class TestNoiseSim : public QObject
{
    Q_OBJECT
private slots:
    // 30 s at 1000 Hz, the axes told apart by their random walks; the bias instability so
    // high that its floor rules from 0.1 s on, within the 3 s that ten clusters allow.
    void staticMotionGivesBackItsNoise()
    {
        gcs::test::SimProcess sim;
        QVERIFY2(sim.start({ "--motion", "static", "--rate", "1000", "--format", "imubin",
                             "--gyro-arw", "0.2,0.3,0.4", "--gyro-bi", "100", "--accel-vrw",
                             "0.08,0.1,0.12", "--accel-bi", "1" }),
                 qPrintable(sim.errorText()));
        QTemporaryDir dir;
        QProcess record;
        gcs::test::pinCliLocale(record);
        record.start(QDir(gcs::test::binDir()).filePath("telvo-cli"),
                     { "record", sim.port(), "--dir", dir.path(), "--seconds", "30" });
        QVERIFY(record.waitForFinished(90000));
        QCOMPARE(record.exitCode(), 0);
        const QStringList logs = QDir(dir.path()).entryList({ "*.txt" });
        QCOMPARE(logs.size(), 1);

        const QJsonObject r = adev({ dir.filePath(logs.first()) });
        // From the log's host times, which a loaded machine stamps a little unevenly.
        QVERIFY2(std::fabs(r.value("rate_hz").toDouble() - 1000.0) <= 2.0,
                 qPrintable(QString::number(r.value("rate_hz").toDouble())));
        QVERIFY(std::fabs(r.value("samples").toDouble() - 30000) < 1500);
        QVERIFY2(r.value("at_rest").toBool(), qPrintable(r.value("rest_reason").toString()));

        // Each random walk is read from hundreds to thousands of clusters: within 8 %.
        const char* const axes[] = { "gx", "gy", "gz", "ax", "ay", "az" };
        const double walks[] = { 0.2, 0.3, 0.4, 0.08, 0.1, 0.12 };
        for (int c = 0; c < 6; ++c) {
            const QJsonObject figure
                = r.value(c < 3 ? "arw_deg_sqrt_h" : "vrw_m_s_sqrt_h").toObject();
            const double got = figure.value(axes[c]).toDouble();
            QVERIFY2(std::fabs(got / walks[c] - 1) < 0.08, qPrintable(QString::number(got)));
        }
        // The bias instability is a minimum over a flat floor read from 10 to 300
        // clusters, each scattering by 5 to 30 %; the minimum picks the lowest, so the
        // three axes' mean lands 0.7 to 1.1 times the truth (thirty simulated runs).
        for (const auto& [name, told] : { std::pair { "bias_instability_deg_h", 100.0 },
                                          std::pair { "accel_bias_instability_mg", 1.0 } }) {
            double mean = 0;
            for (const QJsonValue v : r.value(name).toObject())
                mean += v.toDouble() / 3;
            QVERIFY2(mean > 0.6 * told && mean < 1.25 * told, qPrintable(QString::number(mean)));
        }

        // The raw file of the same recording, at the rate given, tells the same.
        const QJsonObject raw = adev(
            { "--rate", "1000", dir.filePath(QString(logs.first()).replace(".txt", ".bin")) });
        QCOMPARE(raw.value("samples"), r.value("samples"));
        QCOMPARE(raw.value("arw_deg_sqrt_h"), r.value("arw_deg_sqrt_h"));

        // Without --json the same figures come as a table: a row per tau, then one per figure.
        QProcess text;
        gcs::test::pinCliLocale(text);
        text.start(QDir(gcs::test::binDir()).filePath("telvo-cli"),
                   { "adev", dir.filePath(logs.first()) });
        QVERIFY(text.waitForFinished(60000) && text.exitCode() == 0);
        const QString table = QString::fromUtf8(text.readAllStandardOutput());
        const QString arw
            = QString::number(r.value("arw_deg_sqrt_h").toObject().value("gx").toDouble(), 'g', 5);
        QVERIFY2(table.contains("静止：是") && table.contains("tau_s")
                     && table.contains(QRegularExpression("角度随机游走 \\(deg/sqrt\\(h\\)\\) +"
                                                          + QRegularExpression::escape(arw))),
                 qPrintable(table.right(600) + "\nARW " + arw));
    }
};

QTEST_GUILESS_MAIN(TestNoiseSim)
#include "tst_noisesim.moc"
