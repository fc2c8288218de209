#pragma once

#include "analysis/NoiseResult.h"

#include <QString>

#include <atomic>
#include <functional>

namespace gcs {

/// The noise analysis of a recording, the same for telvo-cli and the window: reads the
/// six inertial channels of its records (every gyro and accelerometer message: the
/// 31-byte and 59-byte frames and the three text sentences), takes the sampling rate
/// from a message log's host times unless one is given, checks that the unit was at
/// rest and whether it is one continuous stretch, computes the overlapping Allan
/// deviation of each channel and reads the noise figures from the curves. Runs on
/// whatever thread calls it; memory stays bounded (InertialSeries), progress is reported
/// and a cancel flag is honoured throughout.
class NoiseAnalysis
{
public:
    /// Fewest inertial records worth analysing.
    static constexpr qint64 kMinSamples = 100;
    /// Share of the progress the reading takes; the curves take the rest.
    static constexpr double kReadShare = 0.6;
    /// A message log's silence is a gap when it is longer than this and than kGapPeriods
    /// sampling periods: a link's chunks and a busy host pause far less.
    static constexpr double kGapSilenceMs = 1000;
    static constexpr double kGapPeriods = 10;

    /// 0 to 1.
    using Progress = std::function<void(double done)>;

    /// rateHz 0 reads the rate from a message log's times. A raw capture has no times,
    /// so it needs the rate given.
    static NoiseResult run(const QString& path, double rateHz = 0,
                           const std::atomic_bool* cancel = nullptr, const Progress& progress = {},
                           qint64 capacity = 0);
};

} // namespace gcs
