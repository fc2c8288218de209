#pragma once

#include "BootLoader.h"
#include "Encoders.h"
#include "SensorNoise.h"
#include "SimConfig.h"

#include <cstdint>
#include <string>

namespace sim {

/// Which identification commands ("get softver", "get device info") the unit answers;
/// the others are ignored, as by units with other firmware.
enum class ProbeAnswer { All, InfoOnly, None };

bool parseProbeAnswer(const std::string& name, ProbeAnswer& out);

/// Settings the simulated unit starts with (from the command line).
struct DeviceOptions
{
    OutputFormat format = OutputFormat::SinsBin;
    ProbeAnswer answer = ProbeAnswer::All;
    bool upperCaseReplies = false; ///< replies written in capitals ("#VORN,SOFTVER,...")
    bool streamAtStart = true; ///< navigation output on from power-up
    int rateHz = 200;
    int baud = 115200;
    std::string model = "KT45";
    std::string version = "V2.1.0";
    MotionKind motion = MotionKind::Drive;
    NoiseOptions noise; ///< sensor noise of the static motion
    BootOptions boot;
    std::string imageOut; ///< where a received firmware image is written (none when empty)
};

/// The simulated unit's behaviour, apart from any line: what it streams, and how it
/// answers the text commands it receives. Bytes in, bytes out, so that the line handling
/// in main stays small.
class SimDevice
{
public:
    explicit SimDevice(const DeviceOptions& options);

    /// Feeds bytes the program sent; returns the device's replies, if any.
    std::string receive(const char* data, long size);
    /// Time passes (seconds since start): the boot loader's own output, if any.
    std::string poll(double now);
    /// The next navigation message at time t (seconds since start).
    std::string nextFrame(double t);
    /// The reset key: the unit restarts into its boot loader.
    void pressResetKey();
    /// True once after each reset: output still queued from before it is lost.
    bool takeResetEvent();

    bool streaming() const { return m_streaming && !m_boot.active() && m_bootAgainAt < 0; }
    bool inBootLoader() const { return m_boot.active(); }
    int rateHz() const { return m_options.rateHz; }
    /// Rate of the line as the unit runs now: the boot loader talks at 115200 only.
    int baud() const { return m_boot.active() ? kBootBaud : m_options.baud; }
    const std::string& version() const { return m_options.version; }
    uint32_t framesSent() const { return m_frame; }

    static constexpr int kBootBaud = 115200;
    /// The version the unit reports after booting `image`: the text after "SOFTVER=" in
    /// the image when there is one, else the old version with its last number raised.
    static std::string versionAfterUpgrade(const std::string& oldVersion, const std::string& image);

    /// Garbage as the program sees it when its baud rate differs from the device's: no
    /// frame header and no sentence header can occur in it.
    static std::string scramble(const std::string& bytes, uint32_t seed);

    /// Everything the unit queued has been written to the line; settings that wait for
    /// their reply to leave (a new baud) take effect.
    void lineDrained() { m_config.lineDrained(m_options); }

private:
    std::string handleLine(const std::string& line);
    std::string handleCommand(const std::string& body);
    std::string identification(bool isDeviceInfo, const std::string& body) const;
    void enterBootLoader();
    void leaveBootLoader();

    DeviceOptions m_options;
    BootLoader m_boot;
    double m_now = 0;
    bool m_resetEvent = false;
    double m_bootAgainAt = -1;
    std::string m_pending;
    uint32_t m_frame = 0;
    /// The next frame's time tag in 0.1 ms; a new rate goes on from where the old one was.
    double m_tagTicks = 0;
    bool m_streaming = true;
    SimConfig m_config;
    SensorNoise m_noise;
};

} // namespace sim
