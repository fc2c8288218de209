#pragma once

#include <optional>
#include <string>

namespace sim {

struct DeviceOptions;

/// What --help says about the configuration commands.
extern const char* const kConfigHelp;

/// The unit's configuration as its "get" and "set" commands see it: serial port 1
/// (interface, baud, rate, output format), installation axes, GNSS heading offset,
/// extrapolation time, position, alignment time, installation error and the factory
/// gyro parameters. "get" answers in the unit's reply grammar ("#vorn,com1,mode:422,
/// baud:115200,fre:200,protocol:sinsbin*ff", "#vorn,factory,GyroSN:...", ...); "set"
/// changes what it reports and answers with the new state, a refused value leaves the
/// state as it was. Actions (save, reset, calibrations) are acknowledged with
/// "#vorn,<command>,ok*ff".
///
/// "set com1" also changes how the unit streams: format and rate at once, the baud once
/// the reply has left at the old rate (lineDrained).
class SimConfig
{
public:
    SimConfig();

    /// Handles one command body (lower case, without "#vorn," and checksum). Returns the
    /// reply (possibly empty) when it is a configuration command, nothing otherwise.
    /// options are the unit's running output settings, streaming its output switch.
    std::optional<std::string> handle(const std::string& body, DeviceOptions& options,
                                      bool& streaming);
    /// Everything queued for the line has been written: a new baud takes effect now.
    void lineDrained(DeviceOptions& options);

private:
    struct Serial
    {
        int type = 422;
        int baud = 115200;
        int fre = 200;
        std::string protocol = "sinsbin";
    };
    struct User
    {
        Serial com1;
        std::string axis[3] = { "x", "y", "z" };
        double gnssYaw = 0;
        double extrapMs = 0;
        double lon = 116.3912757;
        double lat = 39.9064361;
        double alt = 43.5;
        double alignSeconds = 300;
        double gnm[3] = { 0, 0, 0 };
        double driftZ = 0;
    };
    /// The factory record in the order of "set factory": serial number, then per axis
    /// (X, Y, Z) the second- and first-order temperature terms and the scale factor,
    /// the three drifts and the cross-coupling matrix row by row.
    struct Factory
    {
        long long sn = 240601;
        double values[21] = {
            0, 0, 1, 0, 0, 1, 0, 0, 1, // t2, t1, kgg for X, Y, Z
            0, 0, 0, // drift X, Y, Z
            1, 0, 0, 0, 1, 0, 0, 0, 1, // cross-coupling
        };
    };

    std::string com1Reply() const;
    std::string axisReply() const;
    std::string factoryReply() const;
    std::string gnmReply() const;
    /// Runs the output the way the serial settings say; fre 0 keeps the unit silent.
    void apply(DeviceOptions& options, bool& streaming);

    bool m_started = false;
    User m_defaults;
    User m_user;
    Factory m_factory;
    bool m_silencedByRate = false;
    int m_pendingBaud = 0; ///< set com1's new baud, waiting for its reply to leave
};

} // namespace sim
