#pragma once

#include <QtGlobal>

#include <vector>

namespace gcs {

/// The overlapping Allan deviation of one evenly sampled series (NIST SP 1065): for a
/// cluster of m samples,
///
///   σ²(m) = Σ_j (S[j+2m] − 2·S[j+m] + S[j])² / (2·m²·(n − 2m + 1)),
///
/// where S is the running sum of the samples, so every cluster size costs one pass over
/// n − 2m + 1 sums whatever m is. The result is in the samples' own unit (°/s in, °/s
/// out); the cluster time is m times the sample interval.
///
/// Precision: the running sums are of the samples minus their mean, so a large constant
/// part (the 1 g an accelerometer reads at rest) never enters them, and they are built
/// with a compensated (Neumaier) sum so they carry no rounding drift along the series.
/// A second difference then loses only a few units of the last place of a sum that stays
/// near the noise's own size. Doubles, not long doubles: the compiler the program ships
/// with on Windows makes long double a double anyway, so its precision could not be
/// relied on.
class AllanDeviation
{
public:
    /// Fewest whole clusters a cluster size must leave in the series.
    static constexpr qint64 kMinClusters = 10;
    /// Cluster sizes per decade besides the powers of two.
    static constexpr int kPerDecade = 10;

    /// The cluster sizes for n samples, ascending: 1, 2, 4, 8, … together with the whole
    /// numbers nearest 10^(k/10), every one leaving at least kMinClusters clusters (m ≤
    /// n / kMinClusters). Empty when not even m = 1 fits.
    static std::vector<qint64> clusterSizes(qint64 n);

    /// Builds the running sums of y[0 .. n): n + 1 doubles, the only memory it keeps.
    AllanDeviation(const float* y, qint64 n);

    qint64 size() const { return qint64(m_sum.size()) - 1; }
    /// The deviation for clusters of m samples; NaN when fewer than two clusters fit.
    double at(qint64 m) const;

private:
    std::vector<double> m_sum;
};

} // namespace gcs
