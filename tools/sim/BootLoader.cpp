#include "BootLoader.h"

#include <cstdlib>

namespace sim {

namespace {

constexpr char kSoh = 0x01;
constexpr char kStx = 0x02;
constexpr char kEot = 0x04;
constexpr char kAck = 0x06;
constexpr char kNak = 0x15;
constexpr char kCan = 0x18;

} // namespace

bool parseBootFault(const std::string& name, BootFault& out)
{
    if (name == "none")
        out = BootFault::None;
    else if (name == "silent")
        out = BootFault::Silent;
    else if (name == "cancel")
        out = BootFault::Cancel;
    else if (name == "nak")
        out = BootFault::NakAll;
    else
        return false;
    return true;
}

bool parseBootQuirk(const std::string& name, BootQuirk& out)
{
    if (name == "none")
        out = BootQuirk::None;
    else if (name == "crlf")
        out = BootQuirk::CrLf;
    else if (name == "eot-talk")
        out = BootQuirk::EotTalk;
    else
        return false;
    return true;
}

BootLoader::BootLoader(const BootOptions& options)
    : m_options(options)
{ }

uint16_t BootLoader::crc16(const std::string& data, size_t from, size_t length)
{
    uint16_t crc = 0;
    for (size_t i = from; i < from + length; ++i) {
        crc ^= uint16_t(uint8_t(data[i])) << 8;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? uint16_t((crc << 1) ^ 0x1021) : uint16_t(crc << 1);
    }
    return crc;
}

void BootLoader::enter(double now)
{
    m_active = true;
    m_phase = Phase::Starting;
    m_result = Result::Running;
    m_enteredAt = now;
    m_nextAsk = now + m_options.startDelay;
    m_lastPacketAt = now;
    m_buffer.clear();
    m_expectHeader = true;
    m_eotSeen = false;
    m_lastBlock = 0;
    m_blocks = 0;
    m_size = 0;
    m_sizeKnown = false;
    m_image.clear();
    m_name.clear();
    m_cancelBytes = 0;
}

void BootLoader::end(Result result)
{
    m_phase = Phase::Done;
    m_result = result;
}

std::string BootLoader::poll(double now)
{
    if (!m_active || m_phase == Phase::Done)
        return {};
    if (m_phase == Phase::Starting) {
        if (now < m_enteredAt + m_options.startDelay)
            return {};
        m_phase = Phase::Asking;
    }
    if (m_phase == Phase::Asking) {
        if (now > m_enteredAt + m_options.startDelay + m_options.askFor) {
            end(Result::NoImage);
            return {};
        }
        if (m_options.fault == BootFault::Silent || now < m_nextAsk)
            return {};
        m_nextAsk = now + m_options.askInterval;
        return "C";
    }
    if (now - m_lastPacketAt > m_options.idleLimit)
        end(Result::Aborted);
    return {};
}

std::string BootLoader::receive(const char* data, long size, double now)
{
    // While it is still starting, what the program sends is lost, as on a real reset.
    if (!m_active || m_phase == Phase::Done || m_phase == Phase::Starting
        || m_options.fault == BootFault::Silent)
        return {};
    m_buffer.append(data, size_t(size));
    const std::string answers = takePackets(now);
    if (m_options.quirk != BootQuirk::CrLf)
        return answers;
    std::string out;
    for (const char c : answers) {
        out += c;
        if (c == kAck)
            out += "\r\n";
    }
    return out;
}

std::string BootLoader::takePackets(double now)
{
    std::string out;
    while (!m_buffer.empty() && m_phase != Phase::Done) {
        const char c = m_buffer[0];
        if (c == kCan) {
            m_buffer.erase(0, 1);
            if (++m_cancelBytes >= 2)
                end(Result::Cancelled);
            continue;
        }
        m_cancelBytes = 0;
        if (c == kEot) {
            m_buffer.erase(0, 1);
            if (m_phase == Phase::Transfer)
                out += onEot();
            continue;
        }
        if (c != kSoh && c != kStx) {
            m_buffer.erase(0, 1);
            continue;
        }
        const size_t block = c == kSoh ? 128 : 1024;
        if (m_buffer.size() < block + 5)
            break;
        const uint8_t number = uint8_t(m_buffer[1]);
        const uint8_t complement = uint8_t(m_buffer[2]);
        const uint16_t crc
            = uint16_t((uint8_t(m_buffer[3 + block]) << 8) | uint8_t(m_buffer[4 + block]));
        if (uint8_t(number ^ complement) != 0xFF || crc != crc16(m_buffer, 3, block)) {
            m_buffer.clear();
            out += kNak;
            continue;
        }
        const std::string payload = m_buffer.substr(3, block);
        m_buffer.erase(0, block + 5);
        m_phase = Phase::Transfer;
        m_lastPacketAt = now;
        out += onPacket(number, payload);
    }
    return out;
}

std::string BootLoader::onPacket(uint8_t number, const std::string& data)
{
    if (m_expectHeader && number == 0) {
        if (data[0] == '\0') {
            end(m_blocks > 0 || m_sizeKnown ? Result::Received : Result::NoImage);
            return std::string(1, kAck);
        }
        if (m_blocks > 0) // a second file: this unit takes one image
            return std::string(2, kCan);
        const size_t nameEnd = data.find('\0');
        m_name = data.substr(0, nameEnd);
        const char* sizeText = data.c_str() + nameEnd + 1;
        char* end = nullptr;
        const unsigned long long size = std::strtoull(sizeText, &end, 10);
        m_sizeKnown = end != sizeText;
        m_size = m_sizeKnown ? size : 0;
        m_expectHeader = false;
        m_lastBlock = 0;
        return std::string(1, kAck) + "C";
    }
    if (m_expectHeader) // data while a header is due: ask again
        return std::string(1, kNak);
    if (number == m_lastBlock && m_blocks > 0)
        return std::string(1, kAck); // a repeat after a lost ACK
    if (number != uint8_t(m_lastBlock + 1))
        return std::string(1, kNak);
    if (m_options.fault == BootFault::NakAll)
        return std::string(1, kNak);
    m_eotSeen = false;
    m_lastBlock = number;
    ++m_blocks;
    if (m_sizeKnown) {
        const uint64_t room = m_size > m_image.size() ? m_size - m_image.size() : 0;
        m_image.append(data, 0, size_t(room < data.size() ? room : data.size()));
    } else {
        m_image += data;
    }
    if (m_options.fault == BootFault::Cancel && m_blocks >= m_options.cancelAfterBlocks) {
        end(Result::Cancelled);
        return std::string(2, kCan);
    }
    return std::string(1, kAck);
}

std::string BootLoader::onEot()
{
    if (m_expectHeader)
        return std::string(1, kAck);
    if (!m_eotSeen) {
        m_eotSeen = true;
        return std::string(1, kNak);
    }
    if (m_options.quirk == BootQuirk::EotTalk) {
        // The image is complete: this loader ends the batch itself and boots at once.
        end(Result::Received);
        return std::string(1, kAck) + std::string(2, kCan);
    }
    m_expectHeader = true;
    return std::string(1, kAck) + "C";
}

} // namespace sim
