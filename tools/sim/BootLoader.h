#pragma once

#include <cstdint>
#include <string>

namespace sim {

/// Ways the boot loader can misbehave, to exercise the program's failure paths.
enum class BootFault {
    None,
    Silent, ///< never asks for an image and answers nothing
    Cancel, ///< cancels (CAN CAN) after a few data blocks
    NakAll, ///< refuses every data block with NAK
};

bool parseBootFault(const std::string& name, BootFault& out);

/// Habits of real boot loaders that still deliver the image, for the program's tolerance.
enum class BootQuirk {
    None,
    CrLf, ///< follows every ACK with CR LF
    EotTalk, ///< after the EOT's ACK: CAN CAN and at once the new firmware, no end-of-batch header
};

bool parseBootQuirk(const std::string& name, BootQuirk& out);

struct BootOptions
{
    BootFault fault = BootFault::None;
    BootQuirk quirk = BootQuirk::None;
    double startDelay = 0.3; ///< seconds from the reset until the first 'C'
    double askInterval = 0.25; ///< seconds between two 'C'
    double askFor = 30; ///< seconds of asking before booting the old firmware again
    double idleLimit = 10; ///< seconds without a packet that end a transfer
    int cancelAfterBlocks = 3;
};

/// The unit's boot loader: after a reset it asks for an image with 'C' and receives it
/// with YModem (CRC-16, 128/1024-byte blocks), a receiver written here on its own and not
/// taken from the program. Bytes in, bytes out, with the time passed in by the caller.
class BootLoader
{
public:
    enum class Result { Running, Received, NoImage, Cancelled, Aborted };

    explicit BootLoader(const BootOptions& options);

    void enter(double now);
    bool active() const { return m_active; }
    /// Bytes from the program; returns the answers.
    std::string receive(const char* data, long size, double now);
    /// Whatever the boot loader sends of its own accord by now ('C' while it asks).
    std::string poll(double now);

    Result result() const { return m_result; }
    const std::string& image() const { return m_image; }
    const std::string& imageName() const { return m_name; }
    /// Leaves the boot loader (the unit boots its firmware).
    void leave() { m_active = false; }

    static uint16_t crc16(const std::string& data, size_t from, size_t length);

private:
    enum class Phase { Starting, Asking, Transfer, Done };

    std::string takePackets(double now);
    std::string onPacket(uint8_t number, const std::string& data);
    std::string onEot();
    void end(Result result);

    BootOptions m_options;
    bool m_active = false;
    Phase m_phase = Phase::Done;
    Result m_result = Result::Running;
    double m_enteredAt = 0;
    double m_nextAsk = 0;
    double m_lastPacketAt = 0;
    std::string m_buffer;
    bool m_expectHeader = true;
    bool m_eotSeen = false;
    uint8_t m_lastBlock = 0;
    long m_blocks = 0;
    uint64_t m_size = 0;
    bool m_sizeKnown = false;
    std::string m_image;
    std::string m_name;
    int m_cancelBytes = 0;
};

} // namespace sim
