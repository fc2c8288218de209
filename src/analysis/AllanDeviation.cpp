#include "analysis/AllanDeviation.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace gcs {

std::vector<qint64> AllanDeviation::clusterSizes(qint64 n)
{
    std::vector<qint64> sizes;
    const qint64 largest = n / kMinClusters;
    for (qint64 m = 1; m <= largest; m *= 2)
        sizes.push_back(m);
    for (int k = 1;; ++k) {
        const double m = std::round(std::pow(10.0, double(k) / kPerDecade));
        if (m > double(largest))
            break;
        sizes.push_back(qint64(m));
    }
    std::sort(sizes.begin(), sizes.end());
    sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());
    return sizes;
}

AllanDeviation::AllanDeviation(const float* y, qint64 n)
{
    n = std::max<qint64>(0, n);
    double mean = 0;
    for (qint64 i = 0; i < n; ++i)
        mean += y[i];
    mean = n > 0 ? mean / double(n) : 0.0;

    m_sum.resize(size_t(n) + 1);
    double* sum = m_sum.data();
    double s = 0;
    double c = 0; // what rounding took from s so far
    sum[0] = 0;
    for (qint64 i = 0; i < n; ++i) {
        const double v = double(y[i]) - mean;
        const double t = s + v;
        c += std::fabs(s) >= std::fabs(v) ? (s - t) + v : (v - t) + s;
        s = t;
        sum[i + 1] = s + c;
    }
}

double AllanDeviation::at(qint64 m) const
{
    const qint64 n = size();
    const qint64 count = n - 2 * m + 1;
    if (m < 1 || count < 1 || n / m < 2)
        return std::numeric_limits<double>::quiet_NaN();
    const double* a = m_sum.data();
    const double* b = a + m;
    const double* c = a + 2 * m;
    // Four partial sums: independent additions the processor can overlap, and a shorter
    // chain of roundings than one sum over millions of terms.
    double acc[4] = { 0, 0, 0, 0 };
    qint64 j = 0;
    for (; j + 4 <= count; j += 4) {
        for (int k = 0; k < 4; ++k) {
            const double d = c[j + k] - 2.0 * b[j + k] + a[j + k];
            acc[k] += d * d;
        }
    }
    for (; j < count; ++j) {
        const double d = c[j] - 2.0 * b[j] + a[j];
        acc[0] += d * d;
    }
    const double total = (acc[0] + acc[1]) + (acc[2] + acc[3]);
    const double md = double(m);
    return std::sqrt(total / (2.0 * md * md * double(count)));
}

} // namespace gcs
