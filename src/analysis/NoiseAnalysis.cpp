#include "analysis/NoiseAnalysis.h"

#include "analysis/AllanDeviation.h"
#include "analysis/AnalysisLogging.h"
#include "analysis/InertialSeries.h"
#include "analysis/RestCheck.h"
#include "analysis/SampleRate.h"
#include "capture/CaptureReader.h"
#include "ins/InsBridge.h"
#include "ins/WireFormat.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QStringList>

#include <algorithm>
#include <climits>
#include <cmath>

namespace gcs {

namespace {

constexpr double kDegPerHour = 3600.0; // °/s to °/h
constexpr double kMilliG = 1000.0; // g to mg
/// Records between two looks at the cancel flag and the progress.
constexpr qint64 kCheckEvery = 8192;

bool cancelled(const std::atomic_bool* cancel)
{
    return cancel && cancel->load(std::memory_order_relaxed);
}

// What says the recording is not one continuous stretch: frames the decoder found lost
// (by counters and time tags), and, where the records carry neither, a silence in a
// message log far longer than the sampling period, as an unplugged unit leaves. Where
// they do, a silence with nothing lost is only the host that stalled.
QString gapReason(const CaptureReader& reader, double rateHz, bool ordered)
{
    QStringList reasons;
    const int lost = int(std::min(reader.counters().lostFrames, qint64(INT_MAX)));
    if (lost > 0)
        reasons << QCoreApplication::translate("gcs::NoiseAnalysis", "丢失 %n 帧", nullptr, lost);
    const CaptureTiming& timing = reader.timing();
    const double silenceLimitMs
        = qMax(NoiseAnalysis::kGapSilenceMs, NoiseAnalysis::kGapPeriods * 1000.0 / rateHz);
    if (!ordered && double(timing.longestSilenceMs) > silenceLimitMs)
        reasons << QCoreApplication::translate("gcs::NoiseAnalysis", "第 %1 行之前 %2 s 没有数据")
                       .arg(timing.silenceEndLine)
                       .arg(double(timing.longestSilenceMs) / 1000.0, 0, 'f', 1);
    return reasons.join(QCoreApplication::translate("gcs::NoiseAnalysis", "；"));
}

NoiseResult failed(NoiseResult r, const QString& error)
{
    r.ok = false;
    r.error = error;
    return r;
}

} // namespace

NoiseResult NoiseAnalysis::run(const QString& path, double rateHz, const std::atomic_bool* cancel,
                               const Progress& progress, qint64 capacity)
{
    NoiseResult result;
    result.path = path;
    const auto report = [&progress](double done) {
        if (progress)
            progress(done);
    };
    QElapsedTimer clock;
    clock.start();

    CaptureReader reader;
    if (!reader.open(path))
        return failed(result, reader.errorText());
    const bool log = reader.kind() == CaptureReader::Kind::MessageLog;
    if (rateHz <= 0 && !log)
        return failed(
            result,
            QCoreApplication::translate(
                "gcs::NoiseAnalysis", "%1 是原始数据文件，没有时间戳，无法得出采样率；请给出采样率")
                .arg(QDir::toNativeSeparators(path)));

    InertialSeries series(capacity > 0 ? capacity : InertialSeries::kDefaultCapacity);
    SampleRate rate;
    RestCheck rest;
    CaptureRecord record;
    qint64 firstMs = 0;
    // Whether the records say their own order (a counter or a time tag).
    bool ordered = false;
    const double size = double(qMax<qint64>(1, reader.size()));
    while (reader.next(record)) {
        const RecDataStruct& r = record.record;
        // Every tier carries the inertial values; a sentence with a wrong field count
        // arrives as nullformat with zeros: no sample.
        if (InsBridge::tierForPacketFormat(r.format) == 0)
            continue;
        ordered = ordered || WireFormat::hasCounter(r.format) || WireFormat::hasTimeTag(r.format);
        const qint64 n = series.taken();
        if (n == 0)
            firstMs = record.hostMs;
        // The rest check goes by the log's own clock, or by the given rate; a given rate
        // also wins over the log's clock for the curves.
        const double seconds
            = log && rateHz <= 0 ? double(record.hostMs - firstMs) / 1000.0 : double(n) / rateHz;
        rest.add(r, seconds);
        if (log)
            rate.add(record.hostMs);
        series.append({ r.gx, r.gy, r.gz, r.ax, r.ay, r.az });
        if (n % kCheckEvery == 0) {
            if (cancelled(cancel)) {
                result.cancelled = true;
                return failed(result,
                              QCoreApplication::translate("gcs::NoiseAnalysis", "噪声分析已取消"));
            }
            report(kReadShare * double(reader.position()) / size);
        }
    }
    result.warning = reader.errorText();
    result.samples = series.taken();
    result.stride = series.stride();
    qCDebug(lcAnalysis) << "read" << result.samples << "inertial records of" << path << "in"
                        << clock.elapsed() << "ms, stride" << result.stride;
    if (result.samples == 0 && !result.warning.isEmpty())
        return failed(result, result.warning);
    if (result.samples < kMinSamples)
        return failed(
            result,
            QCoreApplication::translate("gcs::NoiseAnalysis",
                                        "%1 中只有 %2 个惯性数据，至少需要 %3 个才能分析噪声")
                .arg(QDir::toNativeSeparators(path), QString::number(result.samples),
                     QString::number(kMinSamples)));
    result.rateGiven = rateHz > 0;
    result.rateHz = result.rateGiven ? rateHz : rate.rate();
    if (result.rateHz <= 0)
        return failed(result,
                      QCoreApplication::translate("gcs::NoiseAnalysis",
                                                  "无法从 %1 的时间戳得出采样率；请给出采样率")
                          .arg(QDir::toNativeSeparators(path)));
    rest.finish();
    result.atRest = rest.atRest();
    result.restReason = rest.reason();
    result.gapReason = gapReason(reader, result.rateHz, ordered);

    // The curves, one channel at a time: its running sums are the only extra memory,
    // and its samples are let go once its curve is done.
    const std::vector<qint64> sizes = AllanDeviation::clusterSizes(series.size());
    const double tau0 = double(series.stride()) / result.rateHz;
    for (qint64 m : sizes)
        result.tau.push_back(double(m) * tau0);
    double work = 0;
    for (qint64 m : sizes)
        work += double(series.size() - 2 * m + 1);
    work = qMax(1.0, work * NoiseResult::kChannels);
    double done = 0;
    for (int c = 0; c < NoiseResult::kChannels; ++c) {
        const std::vector<float>& y = series.channel(c);
        const AllanDeviation allan(y.data(), qint64(y.size()));
        series.release(c);
        const double scale = NoiseResult::isGyro(c) ? kDegPerHour : kMilliG;
        std::vector<double>& curve = result.adev[size_t(c)];
        for (qint64 m : sizes) {
            if (cancelled(cancel)) {
                result.cancelled = true;
                return failed(result,
                              QCoreApplication::translate("gcs::NoiseAnalysis", "噪声分析已取消"));
            }
            curve.push_back(allan.at(m) * scale);
            done += double(allan.size() - 2 * m + 1);
            report(kReadShare + (1.0 - kReadShare) * done / work);
        }
        result.white[size_t(c)] = NoiseFigures::whiteLine(result.tau, curve);
        result.minimum[size_t(c)] = NoiseFigures::minimum(result.tau, curve);
    }
    qCDebug(lcAnalysis) << "analysed" << path << "in" << clock.elapsed() << "ms," << sizes.size()
                        << "cluster times";
    result.ok = true;
    report(1.0);
    return result;
}

} // namespace gcs
