#include "SimConfig.h"

#include "Encoders.h"
#include "SimDevice.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace sim {

const char* const kConfigHelp
    = "\n"
      "Configuration: \"get com1\", \"get axis\", \"get gnss\", \"get extrap time\",\n"
      "\"get position\", \"get align time\", \"get factory\", \"get gnm\", \"get calib imu\" and\n"
      "\"get system state\" answer in the unit's reply grammar; the matching \"set\" commands\n"
      "change what they report and answer with the new state. \"set com1,TYPE,BAUD,FRE,FMT\"\n"
      "also switches the output format and rate at once and the baud after its reply (FRE 0\n"
      "silences the output). \"reset user flash\" restores the user settings the unit started\n"
      "with, \"reset flash info\" the factory record as well; saving, calibration and debug\n"
      "commands are acknowledged with \"#vorn,<command>,ok*ff\".\n";

namespace {

std::string trim(const std::string& s)
{
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(uint8_t(s[b])))
        ++b;
    while (e > b && std::isspace(uint8_t(s[e - 1])))
        --e;
    return s.substr(b, e - b);
}

std::vector<std::string> splitFields(const std::string& body)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t comma = body.find(',', start);
        fields.push_back(
            trim(body.substr(start, comma == std::string::npos ? comma : comma - start)));
        if (comma == std::string::npos)
            return fields;
        start = comma + 1;
    }
}

bool parseNumber(const std::string& text, double& out)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (!end || *end != '\0' || v != v)
        return false;
    out = v;
    return true;
}

bool parseWhole(const std::string& text, long long& out, long long min, long long max)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (!end || *end != '\0' || v < min || v > max)
        return false;
    out = v;
    return true;
}

/// Numbers as the unit prints them: no exponent for everyday values, no trailing zeros.
std::string num(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.10g", v);
    return buf;
}

bool isAxisToken(const std::string& t)
{
    return t == "x" || t == "-x" || t == "y" || t == "-y" || t == "z" || t == "-z";
}

char axisLetter(const std::string& t)
{
    return t.back();
}

std::string ack(const std::string& command)
{
    return vornSentence(command + ",ok");
}

} // namespace

SimConfig::SimConfig() = default;

std::string SimConfig::com1Reply() const
{
    const Serial& s = m_user.com1;
    return vornSentence("com1,mode:" + std::to_string(s.type) + ",baud:" + std::to_string(s.baud)
                        + ",fre:" + std::to_string(s.fre) + ",protocol:" + s.protocol);
}

std::string SimConfig::axisReply() const
{
    return vornSentence("axis,x:" + m_user.axis[0] + ",y:" + m_user.axis[1]
                        + ",z:" + m_user.axis[2]);
}

std::string SimConfig::factoryReply() const
{
    const double* v = m_factory.values;
    std::string body = "factory,GyroSN:" + std::to_string(m_factory.sn);
    const char* const axisLabels[3] = { ",kggX:", ",kggY:", ",kggZ:" };
    for (int axis = 0; axis < 3; ++axis) {
        body += axisLabels[axis] + num(v[3 * axis]) + "," + num(v[3 * axis + 1]) + ","
            + num(v[3 * axis + 2]);
    }
    body += ",kg0:" + num(v[9]) + "," + num(v[10]) + "," + num(v[11]);
    body += ",kg1:" + num(v[12]);
    for (int i = 13; i < 21; ++i)
        body += "," + num(v[i]);
    return vornSentence(body);
}

std::string SimConfig::gnmReply() const
{
    return vornSentence("gnm,ka1:" + num(m_user.gnm[0]) + "," + num(m_user.gnm[1]) + ","
                        + num(m_user.gnm[2]));
}

void SimConfig::apply(DeviceOptions& options, bool& streaming)
{
    const Serial& s = m_user.com1;
    OutputFormat format;
    if (parseOutputFormat(s.protocol, format))
        options.format = format;
    // A unit switches its line only after the reply went out at the old rate.
    m_pendingBaud = s.baud != options.baud ? s.baud : 0;
    // The output keeps a timing rate of at least 1 Hz; fre 0 switches it off instead.
    options.rateHz = s.fre > 0 ? s.fre : options.rateHz;
    if (s.fre == 0) {
        if (streaming)
            m_silencedByRate = true;
        streaming = false;
    } else if (m_silencedByRate) {
        m_silencedByRate = false;
        streaming = true;
    }
}

void SimConfig::lineDrained(DeviceOptions& options)
{
    if (m_pendingBaud > 0) {
        options.baud = m_pendingBaud;
        m_pendingBaud = 0;
    }
}

std::optional<std::string> SimConfig::handle(const std::string& body, DeviceOptions& options,
                                             bool& streaming)
{
    if (!m_started) {
        // The settings the unit was started with are what a reset of the user flash
        // brings back.
        m_started = true;
        m_defaults.com1.baud = options.baud;
        m_defaults.com1.fre = options.rateHz;
        m_defaults.com1.protocol = outputFormatName(options.format);
        m_user = m_defaults;
    }

    const std::vector<std::string> f = splitFields(body);
    const std::string& command = f[0];
    const size_t args = f.size() - 1;

    if (command == "start com1" && m_user.com1.fre == 0)
        return std::string(); // nothing to stream at rate 0
    if (command == "stop com1")
        m_silencedByRate = false; // stopped on purpose: a new rate does not restart it
    if (command == "get com1")
        return com1Reply();
    if (command == "set com1") {
        long long type = 0, baud = 0, fre = 0;
        OutputFormat format;
        if (args == 4 && parseWhole(f[1], type, 0, 1000) && (type == 232 || type == 422)
            && parseWhole(f[2], baud, 300, 3000000) && parseWhole(f[3], fre, 0, 20000)
            && parseOutputFormat(f[4], format)) {
            m_user.com1 = { int(type), int(baud), int(fre), f[4] };
            apply(options, streaming);
            return com1Reply();
        }
        return com1Reply();
    }
    if (command == "get axis")
        return axisReply();
    if (command == "set axis") {
        if (args == 3 && isAxisToken(f[1]) && isAxisToken(f[2]) && isAxisToken(f[3])
            && axisLetter(f[1]) != axisLetter(f[2]) && axisLetter(f[1]) != axisLetter(f[3])
            && axisLetter(f[2]) != axisLetter(f[3])) {
            for (int i = 0; i < 3; ++i)
                m_user.axis[i] = f[size_t(i) + 1];
        }
        return axisReply();
    }
    if (command == "get gnss" || command == "set gnss") {
        double v = 0;
        if (command == "set gnss" && args == 1 && parseNumber(f[1], v))
            m_user.gnssYaw = v;
        return vornSentence("gnss," + num(m_user.gnssYaw));
    }
    if (command == "get extrap time" || command == "set extrap time") {
        double v = 0;
        if (command == "set extrap time" && args == 1 && parseNumber(f[1], v) && v >= 0)
            m_user.extrapMs = v;
        return vornSentence("extrapolate time," + num(m_user.extrapMs));
    }
    if (command == "get position" || command == "set position") {
        double lon = 0, lat = 0, alt = 0;
        if (command == "set position" && args == 3 && parseNumber(f[1], lon)
            && parseNumber(f[2], lat) && parseNumber(f[3], alt) && lon >= -180 && lon <= 180
            && lat >= -90 && lat <= 90) {
            m_user.lon = lon;
            m_user.lat = lat;
            m_user.alt = alt;
        }
        return vornSentence("position," + num(m_user.lon) + "," + num(m_user.lat) + ","
                            + num(m_user.alt));
    }
    if (command == "get align time" || command == "set align time") {
        double v = 0;
        if (command == "set align time" && args == 1 && parseNumber(f[1], v) && v >= 0)
            m_user.alignSeconds = v;
        return vornSentence("align time," + num(m_user.alignSeconds));
    }
    if (command == "get gnm")
        return gnmReply();
    if (command == "set gnm") {
        double v[3];
        if (args == 3 && parseNumber(f[1], v[0]) && parseNumber(f[2], v[1])
            && parseNumber(f[3], v[2])) {
            for (int i = 0; i < 3; ++i)
                m_user.gnm[i] = v[i];
        }
        return gnmReply();
    }
    if (command == "get factory")
        return factoryReply();
    if (command == "set factory") {
        Factory next;
        bool ok = args == 22 && parseWhole(f[1], next.sn, 0, 999999999999LL);
        for (size_t i = 0; ok && i < 21; ++i)
            ok = parseNumber(f[i + 2], next.values[i]);
        if (ok)
            m_factory = next;
        return factoryReply();
    }
    if (command == "set driftz") {
        double v = 0;
        if (args == 1 && parseNumber(f[1], v))
            m_user.driftZ = v;
        return vornSentence("driftz," + num(m_user.driftZ));
    }
    if (command == "get calib imu")
        return vornSentence("calib imu,gx:0.0012,gy:-0.0008,gz:0.0005,ax:0.0001,ay:-0.0002,"
                            "az:0.0003");
    if (command == "get system state")
        return vornSentence(std::string("system state,")
                            + (streaming ? "output on" : "output off"));
    if (command == "reset user flash" || command == "reset flash info") {
        m_user = m_defaults;
        if (command == "reset flash info")
            m_factory = Factory();
        apply(options, streaming);
        return ack(command);
    }
    if (command == "save config" || command == "save factory config"
        || command == "static calib imu" || command == "reset calib imu"
        || command == "manual trig driftz" || command == "debug open" || command == "debug close"
        || command == "set device info" || command == "correct heading")
        return ack(command);
    return std::nullopt;
}

} // namespace sim
