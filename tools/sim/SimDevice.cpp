#include "SimDevice.h"

#include "Motion.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <fstream>

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
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
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
    , m_boot(options.boot)
    , m_noise(options.noise)
{
    m_streaming = options.streamAtStart;
}

std::string SimDevice::receive(const char* data, long size)
{
    if (m_boot.active())
        return m_boot.receive(data, size, m_now);
    if (m_bootAgainAt >= 0)
        return {}; // still booting after the boot loader
    std::string replies;
    for (long i = 0; i < size; ++i) {
        const char c = data[i];
        if (c == '\n') {
            replies += handleLine(m_pending);
            m_pending.clear();
            // After a reset the rest was sent to a unit that is no longer listening.
            if (m_boot.active())
                return {};
        } else if (m_pending.size() < kMaxLine) {
            m_pending.push_back(c);
        }
    }
    return replies;
}

std::string SimDevice::poll(double now)
{
    m_now = now;
    if (m_bootAgainAt >= 0 && now >= m_bootAgainAt)
        m_bootAgainAt = -1;
    if (!m_boot.active())
        return {};
    std::string out = m_boot.poll(now);
    if (m_boot.result() != BootLoader::Result::Running)
        leaveBootLoader();
    return out;
}

void SimDevice::pressResetKey()
{
    enterBootLoader();
}

bool SimDevice::takeResetEvent()
{
    const bool event = m_resetEvent;
    m_resetEvent = false;
    return event;
}

void SimDevice::enterBootLoader()
{
    m_pending.clear();
    m_resetEvent = true;
    m_bootAgainAt = -1;
    m_boot.enter(m_now);
    std::fprintf(stderr, "telvo-sim: reset, boot loader waiting for an image at 115200\n");
}

void SimDevice::leaveBootLoader()
{
    const BootLoader::Result result = m_boot.result();
    m_boot.leave();
    m_resetEvent = true;
    // Rebooting takes a moment; the unit answers again after it.
    m_bootAgainAt = m_now + 0.3;
    if (result == BootLoader::Result::Received) {
        const std::string& image = m_boot.image();
        m_options.version = versionAfterUpgrade(m_options.version, image);
        if (!m_options.imageOut.empty()) {
            // Whole or not at all: whoever waits for the file never reads it half written.
            const std::string part = m_options.imageOut + ".part";
            std::ofstream file(part, std::ios::binary | std::ios::trunc);
            file.write(image.data(), std::streamsize(image.size()));
            file.close();
            if (!file || std::rename(part.c_str(), m_options.imageOut.c_str()) != 0)
                std::fprintf(stderr, "telvo-sim: cannot write %s\n", m_options.imageOut.c_str());
        }
        std::fprintf(stderr, "telvo-sim: boot loader received %zu bytes (%s), now %s\n",
                     image.size(), m_boot.imageName().c_str(), m_options.version.c_str());
    } else {
        const char* why = result == BootLoader::Result::Cancelled ? "cancelled"
            : result == BootLoader::Result::Aborted               ? "transfer stopped"
                                                                  : "no image";
        std::fprintf(stderr, "telvo-sim: boot loader: %s, booting %s\n", why,
                     m_options.version.c_str());
    }
    std::fflush(stderr);
}

std::string SimDevice::versionAfterUpgrade(const std::string& oldVersion, const std::string& image)
{
    const std::string tag = "SOFTVER=";
    const size_t at = image.find(tag);
    if (at != std::string::npos) {
        std::string version;
        for (size_t i = at + tag.size(); i < image.size() && version.size() < 32; ++i) {
            const unsigned char c = uint8_t(image[i]);
            if (c <= ' ' || c > '~' || c == '*' || c == ',')
                break;
            version.push_back(char(c));
        }
        if (!version.empty())
            return version;
    }
    // Raise the last number: V2.1.0 becomes V2.1.1.
    size_t end = oldVersion.size();
    while (end > 0 && !std::isdigit(uint8_t(oldVersion[end - 1])))
        --end;
    size_t begin = end;
    while (begin > 0 && std::isdigit(uint8_t(oldVersion[begin - 1])))
        --begin;
    if (begin == end)
        return oldVersion + ".1";
    const long number = std::strtol(oldVersion.substr(begin, end - begin).c_str(), nullptr, 10);
    return oldVersion.substr(0, begin) + std::to_string(number + 1) + oldVersion.substr(end);
}

std::string SimDevice::handleLine(const std::string& raw)
{
    const std::string line = trim(raw);
    // "#vorn,<body>*ff" and "$cmd,<body>*ff" (the checksum text is not checked, like the
    // device does). Of the "$cmd" family the unit knows only the reset.
    const std::string vorn = "#vorn,";
    const std::string cmd = "$cmd,";
    const bool isVorn = line.compare(0, vorn.size(), vorn) == 0;
    const bool isCmd = line.compare(0, cmd.size(), cmd) == 0;
    if (!isVorn && !isCmd)
        return {};
    std::string body = line.substr(isVorn ? vorn.size() : cmd.size());
    const size_t star = body.rfind('*');
    if (star != std::string::npos)
        body.erase(star);
    body = lower(trim(body));
    if (body == "reset system") {
        enterBootLoader();
        return {};
    }
    return isVorn ? handleCommand(body) : std::string();
}

std::string SimDevice::handleCommand(const std::string& body)
{
    if (auto reply = m_config.handle(body, m_options, m_streaming))
        return *reply;
    if (body == "get softver")
        return identification(false, "softver," + m_options.version);
    if (body == "get device info")
        return identification(true,
                              "device info,AX-7300," + m_options.model + ",SN:2406"
                                  + std::to_string(1000 + m_options.baud % 9000));
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
    NavState s = m_options.motion == MotionKind::Drive ? navStateAt(t, m_frame++)
                                                       : staticStateAt(t, m_frame++);
    if (m_options.motion != MotionKind::Drive)
        m_noise.apply(s, double(m_options.rateHz));
    s.tag = uint64_t(std::llround(m_tagTicks));
    m_tagTicks += 10000.0 / m_options.rateHz;
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
