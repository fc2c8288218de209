#pragma once

#include "Motion.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace sim {

/// The noise of the six inertial sensors, in the units a datasheet quotes them in.
/// Defaults of a tactical-grade unit, far above the 31-byte frame's steps (1e-5 °/s,
/// 1e-7 g) and the text sentences' (1e-5 °/s, 1e-6 g): a bias instability of 1 °/h sits
/// 18 steps above the gyro step, 0.05 mg 330 steps above the accelerometer's.
struct NoiseOptions
{
    double gyroArw[3] = { 0.15, 0.15, 0.15 }; ///< angle random walk, °/√h
    double gyroBias[3] = { 1.0, 1.0, 1.0 }; ///< bias instability, °/h
    double accelVrw[3] = { 0.05, 0.05, 0.05 }; ///< velocity random walk, m/s/√h
    double accelBias[3] = { 0.05, 0.05, 0.05 }; ///< bias instability, mg
    uint64_t seed = 1;
};

/// Parses "V" (all three axes) or "X,Y,Z" of numbers of at least 0 into out.
bool parseAxisValues(const std::string& text, double out[3]);

/// Adds sensor noise to the inertial values of a NavState, sample by sample: white
/// noise of the given random walk, and a bias instability made of first-order
/// Gauss-Markov processes with correlation times every half decade from 0.01 s to
/// 10^4 s. Their Allan deviations overlap into a floor that is flat within 1 % from
/// 0.3 s to 300 s (within 4 % from 0.1 s to 1000 s) at 1.0968 times the standard
/// deviation of each, which is therefore set to 0.664 · B / 1.0968: the floor that
/// flicker noise of bias instability B shows. Below 0.1 s the floor gives way to the
/// white noise, above 3000 s it falls off.
class SensorNoise
{
public:
    explicit SensorNoise(const NoiseOptions& options);

    /// Adds one sample's noise at rateHz samples a second.
    void apply(NavState& s, double rateHz);

private:
    struct Channel
    {
        double white = 0; ///< σ over one second, in the sample's unit
        double floorSigma = 0; ///< σ of each Gauss-Markov process
        std::vector<double> state;
    };

    double gauss() { return m_normal(m_random); }

    std::mt19937_64 m_random;
    std::normal_distribution<double> m_normal;
    Channel m_channels[6];
    /// Per process: how much of its state one sample keeps, and the share of fresh noise.
    double m_dt = 0;
    std::vector<double> m_decay;
    std::vector<double> m_drive;
};

} // namespace sim
