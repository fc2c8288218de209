#pragma once

#include <QtGlobal>

#include <array>
#include <vector>

namespace gcs {

/// The six inertial channels of a recording (gx, gy, gz in °/s, ax, ay, az in g) as
/// floats, which hold every value the unit's messages carry: the 31-byte frame's 1e-5
/// °/s and 1e-7 g steps, and the 59-byte frame's floats. An hour at 1000 Hz takes 86 MB.
///
/// Memory stays bounded whatever the length: once a channel holds `capacity` samples,
/// neighbouring pairs are averaged into one and from then on every two (four, …)
/// incoming samples make one stored sample. Averaging adjacent samples leaves the Allan
/// deviation at every cluster of whole stored samples as it was; only the shortest
/// cluster times are lost.
class InertialSeries
{
public:
    enum Channel { Gx, Gy, Gz, Ax, Ay, Az, kChannels };
    /// 2^22 samples a channel: an hour at 1000 Hz is stored whole.
    static constexpr qint64 kDefaultCapacity = qint64(1) << 22;

    explicit InertialSeries(qint64 capacity = kDefaultCapacity);

    void append(const std::array<float, kChannels>& sample);
    /// Samples stored per channel.
    qint64 size() const { return qint64(m_channels[0].size()); }
    /// Samples appended so far (also those still waiting to fill a stored one).
    qint64 taken() const { return m_taken; }
    /// Incoming samples averaged into each stored sample: 1, 2, 4, …
    qint64 stride() const { return m_stride; }
    const std::vector<float>& channel(int c) const { return m_channels[size_t(c)]; }
    /// Frees a channel that is no longer needed.
    void release(int c);

private:
    void halve();

    qint64 m_capacity;
    qint64 m_stride = 1;
    qint64 m_taken = 0;
    std::array<std::vector<float>, kChannels> m_channels;
    std::array<double, kChannels> m_pending {};
    qint64 m_pendingCount = 0;
};

} // namespace gcs
