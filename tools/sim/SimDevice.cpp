#include "SimDevice.h"

#include "Motion.h"

#include <algorithm>
#include <cctype>

namespace sim {

namespace {

constexpr size_t kMaxLine = 4096;

std::string trim(const std::string& s)
{
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(uint8_t(s[b])))
        ++b;
    while (e > b && std::isspace(uint8_t(s[e - 1])))
        --e;
    return s.substr(b, e - b);
}

std::string lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

} // namespace

bool parseProbeAnswer(const std::string& name, ProbeAnswer& out)
{
    if (name == "all")
        out = ProbeAnswer::All;
    else if (name == "info-only")
        out = ProbeAnswer::InfoOnly;
    else if (name == "none")
        out = ProbeAnswer::None;
    else
        return false;
    return true;
}

SimDevice::SimDevice(const DeviceOptions& options)
    : m_options(options)
{
    m_streaming = options.streamAtStart;
}

std::string SimDevice::receive(const char* data, long size)
{
    std::string replies;
    for (long i = 0; i < size; ++i) {
        const char c = data[i];
        if (c == '\n') {
            replies += handleLine(m_pending);
            m_pending.clear();
        } else if (m_pending.size() < kMaxLine) {
            m_pending.push_back(c);
        }
    }
    return replies;
}

std::string SimDevice::handleLine(const std::string& raw)
{
    const std::string line = trim(raw);
    // "#vorn,<body>*ff" (the checksum text is not checked, like the device does).
    const std::string header = "#vorn,";
    if (line.compare(0, header.size(), header) != 0)
        return {};
    std::string body = line.substr(header.size());
    const size_t star = body.rfind('*');
    if (star != std::string::npos)
        body.erase(star);
    return handleCommand(lower(trim(body)));
}

std::string SimDevice::handleCommand(const std::string& body)
{
    if (auto reply = m_config.handle(body, m_options, m_streaming))
        return *reply;
    if (body == "get softver")
        return identification(false, "softver," + m_options.version);
    if (body == "get device info")
        return identification(true, "device info,AX-7300," + m_options.model + ",SN:2406" +
                                        std::to_string(1000 + m_options.baud % 9000));
    if (body == "stop com1") {
        m_streaming = false;
        return {};
    }
    if (body == "start com1") {
        m_streaming = true;
        return {};
    }
    return {};
}

std::string SimDevice::identification(bool isDeviceInfo, const std::string& body) const
{
    const bool answers = m_options.answer == ProbeAnswer::All
        || (m_options.answer == ProbeAnswer::InfoOnly && isDeviceInfo);
    if (!answers)
        return {};
    std::string reply = vornSentence(body);
    if (m_options.upperCaseReplies)
        std::transform(reply.begin(), reply.end(), reply.begin(),
                       [](unsigned char c) { return char(std::toupper(c)); });
    return reply;
}

std::string SimDevice::nextFrame(double t)
{
    const NavState s = navStateAt(t, m_frame++);
    return encode(m_options.format, s);
}

std::string SimDevice::scramble(const std::string& bytes, uint32_t seed)
{
    std::string out(bytes.size(), '\0');
    uint32_t x = seed * 2654435761u + 0x9E3779B9u;
    for (size_t i = 0; i < bytes.size(); ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        // Seven-bit values without '#': neither 0xAA nor "#vorn" can appear.
        char c = char((uint8_t(bytes[i]) ^ x) & 0x7F);
        if (c == '#')
            c = '%';
        out[i] = c;
    }
    return out;
}

} // namespace sim
