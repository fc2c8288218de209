#include "SensorNoise.h"

#include <cmath>
#include <cstdlib>

namespace sim {

namespace {

constexpr double kGravity = 9.80665;
/// The floor of the Gauss-Markov sum, per unit standard deviation of each process.
constexpr double kFloorPerSigma = 1.0968;
constexpr double kBiasFactor = 0.664;
/// Correlation times 10^(k/2) s for k in this range.
constexpr int kFirstTime = -4;
constexpr int kLastTime = 8;

double correlationTime(int k)
{
    return std::pow(10.0, k / 2.0);
}

} // namespace

bool parseAxisValues(const std::string& text, double out[3])
{
    double v[3];
    const char* p = text.c_str();
    int n = 0;
    for (;;) {
        char* end = nullptr;
        const double x = std::strtod(p, &end);
        if (end == p || !std::isfinite(x) || x < 0 || n == 3)
            return false;
        v[n++] = x;
        if (*end == '\0')
            break;
        if (*end != ',')
            return false;
        p = end + 1;
    }
    if (n != 1 && n != 3)
        return false;
    for (int i = 0; i < 3; ++i)
        out[i] = v[n == 1 ? 0 : i];
    return true;
}

SensorNoise::SensorNoise(const NoiseOptions& options)
    : m_random(options.seed)
{
    for (int a = 0; a < 3; ++a) {
        // Random walk: σ(1 s) in °/h is ARW · 60, in m/s² VRW / 60.
        m_channels[a].white = options.gyroArw[a] * 60.0 / 3600.0;
        m_channels[a].floorSigma = kBiasFactor * options.gyroBias[a] / 3600.0 / kFloorPerSigma;
        m_channels[3 + a].white = options.accelVrw[a] / 60.0 / kGravity;
        m_channels[3 + a].floorSigma = kBiasFactor * options.accelBias[a] / 1000.0 / kFloorPerSigma;
    }
    // Every process starts in its steady state, so the first hour looks like any other.
    for (Channel& c : m_channels) {
        for (int k = kFirstTime; k <= kLastTime; ++k)
            c.state.push_back(c.floorSigma * gauss());
    }
}

void SensorNoise::apply(NavState& s, double rateHz)
{
    const double dt = 1.0 / rateHz;
    if (dt != m_dt) {
        m_dt = dt;
        m_decay.clear();
        m_drive.clear();
        for (int k = kFirstTime; k <= kLastTime; ++k) {
            // A process faster than the sampling would only add white noise: it stays 0.
            const double T = correlationTime(k);
            const double a = T < dt ? 0.0 : std::exp(-dt / T);
            m_decay.push_back(a);
            m_drive.push_back(T < dt ? 0.0 : std::sqrt(1.0 - a * a));
        }
    }
    double* values[6] = { &s.gx, &s.gy, &s.gz, &s.ax, &s.ay, &s.az };
    const double whiteScale = std::sqrt(rateHz);
    for (int i = 0; i < 6; ++i) {
        Channel& c = m_channels[i];
        double bias = 0;
        for (size_t k = 0; k < c.state.size(); ++k) {
            double& x = c.state[k];
            x = m_decay[k] * x + m_drive[k] * c.floorSigma * gauss();
            bias += x;
        }
        *values[i] += c.white * whiteScale * gauss() + bias;
    }
}

} // namespace sim
