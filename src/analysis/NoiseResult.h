#pragma once

#include "analysis/NoiseFigures.h"

#include <QJsonObject>
#include <QString>

#include <array>
#include <vector>

class QIODevice;

namespace gcs {

/// The noise analysis of one recording: its Allan deviation curves and the figures read
/// from them, the verdict whether it was made at rest, and why there is nothing when
/// the analysis failed. Curves are in the units the figures are quoted in: the gyros in
/// °/h, the accelerometers in mg.
struct NoiseResult
{
    enum Channel { Gx, Gy, Gz, Ax, Ay, Az, kChannels };
    /// "gx", "gy", "gz", "ax", "ay", "az".
    static const char* channelKey(int c);
    static bool isGyro(int c) { return c < Ax; }

    bool ok = false;
    bool cancelled = false;
    /// Why there is no result (Chinese).
    QString error;
    /// The recording broke off at a fault; the result covers what came before it.
    QString warning;

    QString path;
    double rateHz = 0;
    /// The rate was given rather than read from the log's times.
    bool rateGiven = false;
    /// Inertial records analysed.
    qint64 samples = 0;
    /// Records averaged into each sample the curves start from (1 unless the recording
    /// was too long to keep whole).
    qint64 stride = 1;

    std::vector<double> tau;
    std::array<std::vector<double>, kChannels> adev;
    std::array<NoiseFigures::WhiteLine, kChannels> white;
    std::array<NoiseFigures::Minimum, kChannels> minimum;

    bool atRest = true;
    QString restReason;
    /// Why the recording is not one continuous stretch (Chinese: frames lost, a silence
    /// in a message log); empty when it is. The curves take the samples as if they
    /// followed on from each other, so a gap skews them as motion does.
    QString gapReason;

    bool continuous() const { return gapReason.isEmpty(); }
    /// The curve of channel c still falls at its longest τ: its bias instability is only
    /// an upper bound ("≤").
    bool biasIsUpperBound(int c) const { return minimum[size_t(c)].atEnd; }

    double durationSeconds() const { return rateHz > 0 ? double(samples) / rateHz : 0; }
    /// Angle random walk of a gyro in °/√h: σ(1 s) in °/h over 60 (NaN without one).
    double angleRandomWalk(int c) const { return white[size_t(c)].at1s / 60.0; }
    /// Velocity random walk of an accelerometer in m/s/√h: σ(1 s) in m/s² times 60.
    double velocityRandomWalk(int c) const
    {
        return white[size_t(c)].at1s * 1e-3 * NoiseFigures::kGravity * 60.0;
    }
    /// Bias instability: the curve's minimum over 0.664, in °/h or mg.
    double biasInstability(int c) const
    {
        return minimum[size_t(c)].value / NoiseFigures::kBiasFactor;
    }

    /// One object: "rate_hz", "samples", "tau" (s), "adev" {"gx", "gy", "gz" in °/h,
    /// "ax", "ay", "az" in mg}, "arw_deg_sqrt_h", "bias_instability_deg_h" {gx, gy, gz},
    /// "vrw_m_s_sqrt_h", "accel_bias_instability_mg" {ax, ay, az}, then
    /// "bias_instability_tau_s" {all six}, "at_rest", "rest_reason" and "warning" when
    /// there is one, then "bias_instability_upper_bound" {all six, true where the figure
    /// is only an upper bound}, "continuous" and "gap_reason". A figure that cannot be
    /// read is null.
    QJsonObject toJson() const;
    /// The same as a readable table; a bias instability that is only an upper bound
    /// reads "≤".
    QString toText() const;
    /// The curves as CSV (a column of τ, a column per channel), an empty line, then the
    /// figures (one row each, a column per axis; two last rows are 1 where a bias
    /// instability is only an upper bound); false when writing fails.
    bool writeCsv(QIODevice* out) const;
};

} // namespace gcs
