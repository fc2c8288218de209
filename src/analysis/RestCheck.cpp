#include "analysis/RestCheck.h"

#include "ins/InsBridge.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace gcs {

namespace {

const char* const kAxisNames[] = { "X", "Y", "Z" };

} // namespace

void RestCheck::add(const RecDataStruct& r, double seconds)
{
    if (!m_started) {
        m_started = true;
        m_blockStart = seconds;
    } else if (seconds - m_blockStart >= kBlockSeconds) {
        closeBlock(false);
        // A silence longer than a block leaves no empty blocks behind.
        m_blockStart += kBlockSeconds * std::floor((seconds - m_blockStart) / kBlockSeconds);
    }
    m_lastTime = seconds;

    const float inertial[] = { r.gx, r.gy, r.gz, r.ax, r.ay, r.az };
    for (int c = 0; c < 6; ++c)
        m_sum[size_t(c)] += inertial[c];
    ++m_count;
    // AHRS and SINS records carry attitude.
    if (InsBridge::tierForPacketFormat(r.format) >= 2) {
        double yaw = r.yaw;
        if (m_haveHeading)
            yaw = m_heading + std::remainder(double(r.yaw) - m_heading, 360.0);
        m_heading = yaw;
        m_haveHeading = true;
        m_sum[kPitch] += r.pitch;
        m_sum[kRoll] += r.roll;
        m_sum[kYaw] += yaw;
        ++m_attitudeCount;
    }
}

void RestCheck::closeBlock(bool last)
{
    // A last block shorter than half a second is too noisy to judge by.
    const bool usable
        = m_count > 0 && (!last || m_lastTime - m_blockStart >= kBlockSeconds / 2 || m_blocks == 0);
    if (usable) {
        for (int c = 0; c < 6; ++c) {
            const double mean = m_sum[size_t(c)] / double(m_count);
            m_lo[size_t(c)] = m_blocks == 0 ? mean : std::min(m_lo[size_t(c)], mean);
            m_hi[size_t(c)] = m_blocks == 0 ? mean : std::max(m_hi[size_t(c)], mean);
        }
        ++m_blocks;
        if (m_attitudeCount > 0) {
            for (int c = kPitch; c <= kYaw; ++c) {
                const double mean = m_sum[size_t(c)] / double(m_attitudeCount);
                const bool first = m_attitudeBlocks == 0;
                m_lo[size_t(c)] = first ? mean : std::min(m_lo[size_t(c)], mean);
                m_hi[size_t(c)] = first ? mean : std::max(m_hi[size_t(c)], mean);
            }
            ++m_attitudeBlocks;
        }
    }
    m_sum.fill(0);
    m_count = 0;
    m_attitudeCount = 0;
}

void RestCheck::finish()
{
    closeBlock(true);
    QStringList reasons;
    const auto spread = [this](int c) { return m_hi[size_t(c)] - m_lo[size_t(c)]; };
    if (m_blocks > 0) {
        for (int a = 0; a < 3; ++a) {
            const int g = kGx + a;
            const double peak = std::max(std::fabs(m_lo[size_t(g)]), std::fabs(m_hi[size_t(g)]));
            if (spread(g) > kRateSpread)
                reasons << QCoreApplication::translate(
                               "gcs::RestCheck",
                               "陀螺 %1 轴角速度变化 %2 °/s（静止时不超过 %3 °/s）")
                               .arg(QLatin1String(kAxisNames[a]))
                               .arg(spread(g), 0, 'f', 2)
                               .arg(kRateSpread);
            else if (peak > kRate)
                reasons << QCoreApplication::translate(
                               "gcs::RestCheck", "陀螺 %1 轴持续转动 %2 °/s（静止时不超过 %3 °/s）")
                               .arg(QLatin1String(kAxisNames[a]))
                               .arg(peak, 0, 'f', 2)
                               .arg(kRate);
        }
        for (int a = 0; a < 3; ++a) {
            const int c = kAx + a;
            if (spread(c) > kAccelSpread)
                reasons << QCoreApplication::translate(
                               "gcs::RestCheck", "加计 %1 轴加速度变化 %2 mg（静止时不超过 %3 mg）")
                               .arg(QLatin1String(kAxisNames[a]))
                               .arg(spread(c) * 1000.0, 0, 'f', 1)
                               .arg(kAccelSpread * 1000.0);
        }
    }
    if (m_attitudeBlocks > 0) {
        const struct
        {
            int channel;
            const char* name;
            double bound;
        } angles[] = { { kPitch, QT_TRANSLATE_NOOP("gcs::RestCheck", "俯仰"), kTiltSpread },
                       { kRoll, QT_TRANSLATE_NOOP("gcs::RestCheck", "横滚"), kTiltSpread },
                       { kYaw, QT_TRANSLATE_NOOP("gcs::RestCheck", "航向"), kHeadingSpread } };
        for (const auto& a : angles) {
            if (spread(a.channel) > a.bound)
                reasons << QCoreApplication::translate("gcs::RestCheck",
                                                       "%1角变化 %2°（静止时不超过 %3°）")
                               .arg(QCoreApplication::translate("gcs::RestCheck", a.name))
                               .arg(spread(a.channel), 0, 'f', 1)
                               .arg(a.bound);
        }
    }
    m_reason = reasons.join(QCoreApplication::translate("gcs::RestCheck", "；"));
}

} // namespace gcs
