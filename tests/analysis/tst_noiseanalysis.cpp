// The noise analysis through its public interface: the Allan deviation of series whose
// curve theory gives, and whole analyses of message logs written here.
#include "analysis/AllanDeviation.h"
#include "analysis/NoiseAnalysis.h"
#include "analysis/NoiseFigures.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <random>

namespace {

std::vector<float> series(const QString& kind, int n, double sigma, double offset)
{
    std::mt19937 random(7);
    std::normal_distribution<double> gauss(0.0, sigma);
    std::vector<float> y(static_cast<size_t>(n));
    double walk = 0;
    for (float& v : y) {
        walk += gauss(random);
        v = float(offset + (kind == QLatin1String("walk") ? walk : gauss(random)));
    }
    return y;
}

/// A message log of ahrsasc sentences at 100 Hz, stamped the way the host stamps a line:
/// five messages to a chunk, one time per chunk (stepMs apart); a silence of 5 s after
/// the first half, in which nothing is lost unless the motion is "gap": then the counter
/// says 300 frames were; "unnumbered" sends imuasc, which says nothing of its order.
QByteArray messageLog(int n, const QString& motion, int stepMs = 50)
{
    std::mt19937 random(3);
    std::normal_distribution<double> gauss(0.0, 1.0);
    QByteArray log;
    qint64 ms = QDateTime(QDate(2024, 3, 9), QTime(7, 5, 3)).toMSecsSinceEpoch();
    for (int i = 0; i < n; ++i) {
        if (i % 5 == 0)
            ms += i == n / 2 ? 100 * stepMs : stepMs;
        const double gz = motion == QLatin1String("turning") ? 12.0 : 0.1 * gauss(random);
        const double roll = motion == QLatin1String("tilting") ? i / 10000.0 : 0.0;
        QString line = QDateTime::fromMSecsSinceEpoch(ms).toString(u"yyyy-MM-dd HH:mm:ss.zzz")
            + QStringLiteral(" #vorn,ahrsasc,%1").arg(motion == "gap" && i >= n / 2 ? i + 300 : i);
        for (double v : { 0.1 * gauss(random), 0.1 * gauss(random), gz, 0.002 * gauss(random),
                          0.002 * gauss(random), 1.0 + 0.002 * gauss(random) })
            line += QLatin1Char(',') + QString::number(v, 'f', 6);
        log += (motion == "unnumbered" // imuasc: its number field is not read
                    ? line.replace("ahrsasc", "imuasc") + ",25.00*ff\n"
                    : line + QStringLiteral(",0,0,0,30.00,0.00,%1,0,0*ff\n").arg(roll, 0, 'f', 2))
                   .toLatin1();
    }
    return log;
}

} // namespace

class TestNoiseAnalysis : public QObject
{
    Q_OBJECT
private slots:
    void clusterSizes_data()
    {
        QTest::addColumn<qint64>("samples");
        QTest::addColumn<QList<qint64>>("sizes");
        QTest::newRow("too short") << qint64(9) << QList<qint64> {};
        QTest::newRow("two decades and a bit")
            << qint64(1289) << QList<qint64> { 1,  2,  3,  4,  5,  6,  8,  10,  13,  16, 20,
                                               25, 32, 40, 50, 63, 64, 79, 100, 126, 128 };
    }
    void clusterSizes()
    {
        QFETCH(qint64, samples);
        QFETCH(QList<qint64>, sizes);
        const std::vector<qint64> got = gcs::AllanDeviation::clusterSizes(samples);
        QCOMPARE(QList<qint64>(got.begin(), got.end()), sizes);
    }

    // White noise of σ per sample falls as σ/√m; a random walk rises as √m. A constant
    // offset as large as the 1 g of a vertical accelerometer, or far larger, changes
    // nothing, down to noise a thousand times smaller than it.
    void curveFollowsTheNoise_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<double>("sigma");
        QTest::addColumn<double>("offset");
        QTest::addColumn<double>("slope");
        QTest::newRow("white on 1 g") << "white" << 0.002 << 1.0 << -0.5;
        QTest::newRow("white on a large bias") << "white" << 0.01 << 500.0 << -0.5;
        QTest::newRow("random walk") << "walk" << 0.001 << 0.0 << 0.5;
    }
    void curveFollowsTheNoise()
    {
        QFETCH(QString, kind);
        QFETCH(double, sigma);
        QFETCH(double, offset);
        QFETCH(double, slope);
        const int n = 1 << 20;
        const std::vector<float> y = series(kind, n, sigma, offset);
        const gcs::AllanDeviation allan(y.data(), n);
        std::vector<qint64> ms;
        std::vector<double> adev, tau; // τ0 = 0.01 s
        for (qint64 m : gcs::AllanDeviation::clusterSizes(n)) {
            // Where at least 2000 clusters fit, one value scatters by about 1.3 %.
            if (m > n / 2000)
                break;
            ms.push_back(m);
            adev.push_back(allan.at(m));
            tau.push_back(m * 0.01);
            if (kind == QLatin1String("white"))
                QVERIFY(std::fabs(adev.back() * std::sqrt(double(m)) / sigma - 1) < 0.05);
        }
        // From m = 5 on, where a random walk's curve is within 1 % of its √m line.
        const double rise = std::log(adev.back() / adev[4]) / std::log(double(ms.back()) / ms[4]);
        QVERIFY2(std::fabs(rise - slope) < 0.05, qPrintable(QString::number(rise)));
        // The −½ line read at 1 s is σ·√τ0; a random walk has no such line.
        const double at1s = gcs::NoiseFigures::whiteLine(tau, adev).at1s;
        QVERIFY(kind == QLatin1String("white") ? std::fabs(at1s / (sigma * 0.1) - 1) < 0.02
                                               : std::isnan(at1s));
    }

    // Gyros of 0.1 °/s and accelerometers of 2 mg white noise per sample at 100 Hz have
    // σ(1 s) = 36 °/h and 0.2 mg: an angle random walk of 0.6 °/√h and a velocity random
    // walk of 0.2e-3 · 9.80665 · 60 = 0.1177 m/s/√h. At 50 Hz the same samples are twice
    // as far apart: both figures grow by √2.
    void logIsAnalysed_data()
    {
        QTest::addColumn<QString>("motion");
        QTest::addColumn<double>("givenRate");
        QTest::addColumn<qint64>("capacity");
        QTest::addColumn<qint64>("stride");
        QTest::addColumn<QString>("restReason");
        QTest::addColumn<QString>("gapReason");
        const QString none;
        QTest::newRow("rate from the stamps")
            << "still" << 0.0 << qint64(0) << qint64(1) << none << none;
        QTest::newRow("rate given") << "still" << 50.0 << qint64(0) << qint64(1) << none << none;
        QTest::newRow("averaged into a bounded memory")
            << "still" << 0.0 << qint64(8192) << qint64(8) << none << none;
        QTest::newRow("turning") << "turning" << 0.0 << qint64(0) << qint64(1)
                                 << "陀螺 Z 轴持续转动 12.00 °/s" << none;
        QTest::newRow("tilting") << "tilting" << 0.0 << qint64(0) << qint64(1) << "横滚角变化 4.0°"
                                 << none;
        QTest::newRow("with a gap")
            << "gap" << 0.0 << qint64(0) << qint64(1) << none << "丢失 300 帧";
        QTest::newRow("a silence where nothing is numbered")
            << "unnumbered" << 0.0 << qint64(0) << qint64(1) << none
            << "第 20001 行之前 5.0 s 没有数据";
    }
    void logIsAnalysed()
    {
        QFETCH(QString, motion);
        QFETCH(double, givenRate);
        QFETCH(qint64, capacity);
        QFETCH(qint64, stride);
        QFETCH(QString, restReason);
        QFETCH(QString, gapReason);
        const double rate = givenRate > 0 ? givenRate : 100.0; // the log's stamps say 100 Hz
        QTemporaryDir dir;
        QFile log(dir.filePath("ahrsasc.txt"));
        QVERIFY(log.open(QIODevice::WriteOnly) && log.write(messageLog(40000, motion)) > 0);
        log.close();
        double last = 0, reports = 0;
        bool rising = true;
        const auto progress = [&](double d) { rising = rising && d >= last, last = d, ++reports; };
        const gcs::NoiseResult r
            = gcs::NoiseAnalysis::run(log.fileName(), givenRate, nullptr, progress, capacity);
        QVERIFY2(r.ok, qPrintable(r.error));
        QCOMPARE(r.samples, 40000);
        QCOMPARE(r.rateHz, rate);
        QCOMPARE(r.stride, stride);
        QCOMPARE(r.tau.front(), stride / rate);
        QVERIFY(rising && reports > 10 && last == 1.0);
        QCOMPARE(r.atRest, restReason.isEmpty());
        QVERIFY2(r.restReason.contains(restReason), qPrintable(r.restReason));
        QCOMPARE(r.gapReason, gapReason);
        // The JSON, the text table and the CSV carry the gap and every "≤" of the figures.
        const QJsonObject json = r.toJson();
        const QString text = r.toText();
        QBuffer csv;
        QVERIFY(csv.open(QIODevice::WriteOnly) && r.writeCsv(&csv));
        QByteArray flags = "gyro_bias_instability_upper_bound";
        for (int c = 0; c < gcs::NoiseResult::kChannels; ++c) {
            const bool bound = r.biasIsUpperBound(c);
            QCOMPARE(json["bias_instability_upper_bound"][gcs::NoiseResult::channelKey(c)], bound);
            flags += (c == 3 ? ",\naccel_bias_instability_upper_bound," : ",")
                + QByteArray::number(bound);
        }
        QVERIFY2(csv.data().contains(flags + ",\n"), csv.data().constData());
        QCOMPARE(text.count("≤"), flags.count(",1") + flags.contains(",1"));
        QVERIFY(flags.contains(",1") || motion != "still");
        QCOMPARE(json["continuous"].toBool(), gapReason.isEmpty());
        QVERIFY(text.contains(gapReason.isEmpty() ? "连续：是" : "连续：否，" + gapReason)
                && csv.data().contains(gapReason.isEmpty() ? "continuous,1" : "continuous,0"));
        const double slower = std::sqrt(100.0 / rate);
        for (int a = 0; a < 3; ++a) {
            QVERIFY(std::fabs(r.velocityRandomWalk(3 + a) / (0.11768 * slower) - 1) < 0.05);
            if (motion != QLatin1String("turning") || a != 2)
                QVERIFY(std::fabs(r.angleRandomWalk(a) / (0.6 * slower) - 1) < 0.05);
        }
    }

    void badInputGivesAReason_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<double>("rate");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("error");
        QTest::newRow("no file") << QByteArray() << 0.0 << false << "无法打开文件";
        QTest::newRow("raw capture without a rate")
            << QByteArray(64, 'x') << 0.0 << false << "没有时间戳，无法得出采样率";
        QTest::newRow("not a recording")
            << QByteArray(64, 'x') << 100.0 << false << "无法识别的文件";
        QTest::newRow("too short")
            << messageLog(99, "still") << 0.0 << false << "只有 99 个惯性数据，至少需要 100 个";
        QTest::newRow("all in one millisecond")
            << messageLog(200, "still", 0) << 0.0 << false << "无法从";
        QTest::newRow("cancelled") << messageLog(200, "still") << 0.0 << true << "已取消";
    }
    void badInputGivesAReason()
    {
        QFETCH(QByteArray, content);
        QFETCH(double, rate);
        QFETCH(bool, cancel);
        QFETCH(QString, error);
        QTemporaryDir dir;
        QFile file(dir.filePath("input%1.txt")); // messages show a "%1" in a name as it is
        if (!content.isEmpty())
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        file.close();
        const std::atomic_bool flag(cancel);
        const gcs::NoiseResult r = gcs::NoiseAnalysis::run(file.fileName(), rate, &flag);
        QVERIFY(!r.ok);
        QCOMPARE(r.cancelled, cancel);
        QVERIFY2(r.error.contains(error), qPrintable(r.error));
    }
};

QTEST_GUILESS_MAIN(TestNoiseAnalysis)
#include "tst_noiseanalysis.moc"
