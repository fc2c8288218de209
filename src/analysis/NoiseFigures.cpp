#include "analysis/NoiseFigures.h"

#include <cmath>

namespace gcs {

namespace {

bool usable(double tau, double adev)
{
    return std::isfinite(tau) && std::isfinite(adev) && tau > 0 && adev > 0;
}

} // namespace

NoiseFigures::WhiteLine NoiseFigures::whiteLine(const std::vector<double>& tau,
                                                const std::vector<double>& adev)
{
    // The curve's usable points in log-log form.
    std::vector<double> lx, ly;
    for (size_t i = 0; i < tau.size() && i < adev.size(); ++i) {
        if (usable(tau[i], adev[i])) {
            lx.push_back(std::log10(tau[i]));
            ly.push_back(std::log10(adev[i]));
        }
    }
    const size_t n = lx.size();
    std::vector<bool> white(n, false);
    for (size_t i = 0; i < n; ++i) {
        size_t j = i + 1;
        while (j < n && lx[j] - lx[i] < kSlopeSpan)
            ++j;
        // Near the end the chord reaches back instead, over the same span.
        size_t a = i, b = j;
        if (j >= n) {
            b = i;
            a = i;
            while (a > 0 && lx[b] - lx[a] < kSlopeSpan)
                --a;
            if (a == b)
                continue;
        }
        const double slope = (ly[b] - ly[a]) / (lx[b] - lx[a]);
        white[i] = std::fabs(slope + 0.5) <= kSlopeTolerance;
    }

    // The first long enough run from the short end, else the longest.
    size_t bestFrom = 0, bestLength = 0;
    for (size_t i = 0; i < n;) {
        if (!white[i]) {
            ++i;
            continue;
        }
        size_t j = i;
        while (j < n && white[j])
            ++j;
        if (j - i > bestLength) {
            bestFrom = i;
            bestLength = j - i;
        }
        if (j - i >= size_t(kMinRegionPoints))
            break;
        i = j;
    }

    WhiteLine line;
    if (bestLength == 0)
        return line;
    double c = 0;
    for (size_t i = bestFrom; i < bestFrom + bestLength; ++i)
        c += ly[i] + 0.5 * lx[i];
    c /= double(bestLength);
    line.at1s = std::pow(10.0, c);
    return line;
}

NoiseFigures::Minimum NoiseFigures::minimum(const std::vector<double>& tau,
                                            const std::vector<double>& adev)
{
    Minimum best;
    size_t last = 0;
    size_t at = 0;
    bool found = false;
    for (size_t i = 0; i < tau.size() && i < adev.size(); ++i) {
        if (!usable(tau[i], adev[i]))
            continue;
        last = i;
        if (!found || adev[i] < best.value) {
            best.value = adev[i];
            best.tau = tau[i];
            at = i;
            found = true;
        }
    }
    best.atEnd = found && at == last && at > 0;
    return best;
}

} // namespace gcs
