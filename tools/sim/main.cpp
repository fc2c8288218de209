// telvo-sim: a stand-in AX-7300 unit on a pseudo-terminal, for tests and the demo.
#include "PtyLine.h"
#include "SimDevice.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <string>

namespace {

volatile std::sig_atomic_t g_stop = 0;
volatile std::sig_atomic_t g_resetKey = 0;
volatile std::sig_atomic_t g_cableKey = 0;

void onSignal(int)
{
    g_stop = 1;
}

void onResetKey(int)
{
    g_resetKey = 1;
}

void onCableKey(int)
{
    g_cableKey = 1;
}

const char* const kUsage
    = "usage: telvo-sim [--link PATH] [--format imubin|sinsbin|imuasc|ahrsasc|sinsasc]\n"
      "                 [--answer all|info-only|none] [--reply-style plain|upper]\n"
      "                 [--stream on|off]\n"
      "                 [--rate HZ] [--baud N] [--seconds S] [--model NAME]\n"
      "                 [--boot-fault none|silent|cancel|nak] [--boot-wait S]\n"
      "                 [--boot-quirk none|crlf|eot-talk]\n"
      "                 [--image-out PATH] [--unplug-at S] [--replug-after S]\n"
      "                 [--motion drive|static] [--gyro-arw V] [--gyro-bi V]\n"
      "                 [--accel-vrw V] [--accel-bi V] [--seed N] [--to-file PATH]\n"
      "\n"
      "Opens a pseudo-terminal, links PATH (default /tmp/telvo-sim/ttyINS0) to it, prints\n"
      "PATH and streams navigation messages of the chosen format (default sinsbin) at HZ\n"
      "(default 200). The unit talks at N baud (default 115200): while the program's port\n"
      "is set to another rate it sees only garbage and the unit understands nothing.\n"
      "Misbehaving units: --answer info-only answers only the second identification\n"
      "command below, --answer none neither of them; --reply-style upper writes replies\n"
      "in capitals (\"#VORN,SOFTVER,...\"); --stream off starts with the navigation\n"
      "output stopped, so the unit is silent until asked.\n"
      "It answers \"#vorn,get softver*ff\" and \"#vorn,get device info*ff\" and obeys\n"
      "\"#vorn,stop com1*ff\" / \"#vorn,start com1*ff\". The count of the formats\n"
      "that have one carries the running frame number; the time tag of sinsbin frames\n"
      "and sinsasc sentences counts 0.1 ms on the unit's output clock, one period per\n"
      "frame (at 200 frames/s frame n carries 50 * n).\n"
      "With --seconds S it ends after S seconds (default: runs until interrupted).\n"
      "\n"
      "\"#vorn,reset system*ff\" or \"$cmd,reset system*ff\" (or SIGUSR1, the reset key)\n"
      "restarts the unit into its boot loader: it listens at 115200 only, sends 'C' for\n"
      "S seconds (--boot-wait, default 30), takes a firmware image with YModem, reports\n"
      "its size on standard error, writes it to --image-out if given and boots again\n"
      "with a new version (the text after \"SOFTVER=\" in the image, else the last\n"
      "number raised). --boot-fault makes it never answer (silent), cancel after three\n"
      "blocks (cancel) or refuse every block (nak). --boot-quirk gives it a habit of real\n"
      "boot loaders that still takes the image: CR LF after every ACK (crlf), or CAN CAN\n"
      "right after the EOT's ACK and booting at once, without the end-of-batch header\n"
      "(eot-talk).\n"
      "\n"
      "Unplugging: --unplug-at S (or SIGUSR2 at any time) pulls the cable, as an unplugged\n"
      "USB adapter does: the pseudo-terminal goes away (a program holding it open gets an\n"
      "I/O error) and PATH is removed. The unit keeps running meanwhile, so the frames\n"
      "it sends during the gap are lost. --replug-after S (default 2) later a new\n"
      "pseudo-terminal appears at the same PATH and the stream goes on there; a SIGUSR2\n"
      "while unplugged plugs it in at once. Both events are reported on standard error.\n"
      "\n"
      "Motion: drive (default) is a slow drive around a start point. static keeps the\n"
      "unit at rest, level, heading 30 deg, its gyros reading the earth's rotation and\n"
      "its accelerometers 1 g up the z axis, with sensor noise on top, by default that of\n"
      "a tactical-grade unit: --gyro-arw angle random walk in deg/sqrt(h) (default 0.15),\n"
      "--gyro-bi bias instability in deg/h (1), --accel-vrw velocity random walk in\n"
      "m/s/sqrt(h) (0.05), --accel-bi bias instability in mg (0.05). Each takes one value\n"
      "for all three axes or X,Y,Z (for example --gyro-arw 0.1,0.1,0.2). The bias\n"
      "instability shows as a flat Allan deviation floor of 0.664 times the value from\n"
      "about 0.1 s to 1000 s. --seed N draws another noise (default 1).\n"
      "--to-file PATH writes S seconds (--seconds, needed here) of the stream to PATH as\n"
      "fast as it can, instead of opening a pseudo-terminal: a raw capture at HZ.\n";

struct Options
{
    std::string link = "/tmp/telvo-sim/ttyINS0";
    double seconds = 0;
    double unplugAt = -1; ///< seconds after start; none when negative
    double replugAfter = 2;
    std::string toFile; ///< write the stream to this file instead of a line
    sim::DeviceOptions device;
};

bool parseInt(const char* text, int& out, int min, int max)
{
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (!end || *end != '\0' || v < min || v > max)
        return false;
    out = int(v);
    return true;
}

// A number of at least 0 (seconds, mostly).
bool parseNonNegative(const char* text, double& out)
{
    char* end = nullptr;
    const double v = std::strtod(text, &end);
    if (end == text || *end != '\0' || !(v >= 0))
        return false;
    out = v;
    return true;
}

// The boot loader's bytes as seen at a wrong rate: garbage in which no 'C' appears.
std::string scrambleWithoutC(const std::string& bytes, uint32_t seed)
{
    std::string out = sim::SimDevice::scramble(bytes, seed);
    for (char& c : out) {
        if (c == 'C')
            c = 'c';
    }
    return out;
}

int usageError(const char* message)
{
    std::fprintf(stderr, "telvo-sim: %s\n\n%s", message, kUsage);
    return 2;
}

int parseOptions(int argc, char** argv, Options& o)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            std::fputs(sim::kConfigHelp, stdout);
            return 1;
        }
        if (i + 1 >= argc)
            return usageError(("missing value after " + arg).c_str());
        const char* value = argv[++i];
        if (arg == "--link") {
            o.link = value;
        } else if (arg == "--format") {
            if (!sim::parseOutputFormat(value, o.device.format))
                return usageError("unknown format");
        } else if (arg == "--answer") {
            if (!sim::parseProbeAnswer(value, o.device.answer))
                return usageError("answer must be all, info-only or none");
        } else if (arg == "--reply-style") {
            const std::string style = value;
            if (style != "plain" && style != "upper")
                return usageError("reply style must be plain or upper");
            o.device.upperCaseReplies = style == "upper";
        } else if (arg == "--stream") {
            const std::string stream = value;
            if (stream != "on" && stream != "off")
                return usageError("stream must be on or off");
            o.device.streamAtStart = stream == "on";
        } else if (arg == "--rate") {
            if (!parseInt(value, o.device.rateHz, 1, 20000))
                return usageError("rate must be 1 to 20000");
        } else if (arg == "--baud") {
            if (!parseInt(value, o.device.baud, 300, 3000000))
                return usageError("baud must be 300 to 3000000");
        } else if (arg == "--seconds") {
            if (!parseNonNegative(value, o.seconds))
                return usageError("seconds must be a number of at least 0");
        } else if (arg == "--model") {
            o.device.model = value;
        } else if (arg == "--boot-fault") {
            if (!sim::parseBootFault(value, o.device.boot.fault))
                return usageError("unknown boot fault");
        } else if (arg == "--boot-quirk") {
            if (!sim::parseBootQuirk(value, o.device.boot.quirk))
                return usageError("boot quirk must be none, crlf or eot-talk");
        } else if (arg == "--boot-wait") {
            if (!parseNonNegative(value, o.device.boot.askFor))
                return usageError("boot wait must be a number of at least 0");
        } else if (arg == "--image-out") {
            o.device.imageOut = value;
        } else if (arg == "--unplug-at" || arg == "--replug-after") {
            if (!parseNonNegative(value, arg == "--unplug-at" ? o.unplugAt : o.replugAfter))
                return usageError((arg + " needs a number of at least 0").c_str());
        } else if (arg == "--motion") {
            if (!sim::parseMotion(value, o.device.motion))
                return usageError("motion must be drive or static");
        } else if (arg == "--gyro-arw" || arg == "--gyro-bi" || arg == "--accel-vrw"
                   || arg == "--accel-bi") {
            sim::NoiseOptions& n = o.device.noise;
            double* target = arg == "--gyro-arw" ? n.gyroArw
                : arg == "--gyro-bi"             ? n.gyroBias
                : arg == "--accel-vrw"           ? n.accelVrw
                                                 : n.accelBias;
            if (!sim::parseAxisValues(value, target))
                return usageError((arg + " needs V or X,Y,Z, numbers of at least 0").c_str());
        } else if (arg == "--seed") {
            char* end = nullptr;
            o.device.noise.seed = std::strtoull(value, &end, 10);
            if (!end || *end != '\0')
                return usageError("seed must be a whole number");
        } else if (arg == "--to-file") {
            o.toFile = value;
        } else {
            return usageError(("unknown option " + arg).c_str());
        }
    }
    if (!o.toFile.empty() && o.seconds <= 0)
        return usageError("--to-file needs --seconds");
    return 0;
}

// The stream of the whole run at once, into a file: recordings of any length without
// waiting for them.
int writeToFile(const Options& options)
{
    std::FILE* f = std::fopen(options.toFile.c_str(), "wb");
    if (!f) {
        std::fprintf(stderr, "telvo-sim: cannot write %s: %s\n", options.toFile.c_str(),
                     std::strerror(errno));
        return 1;
    }
    sim::SimDevice device(options.device);
    const double rate = device.rateHz();
    const auto frames = uint64_t(options.seconds * rate);
    bool ok = true;
    for (uint64_t i = 0; i < frames && ok && !g_stop; ++i) {
        const std::string frame = device.nextFrame(double(i) / rate);
        ok = std::fwrite(frame.data(), 1, frame.size(), f) == frame.size();
    }
    ok = std::fclose(f) == 0 && ok;
    if (!ok) {
        std::fprintf(stderr, "telvo-sim: cannot write %s\n", options.toFile.c_str());
        return 1;
    }
    std::printf("%s\n", options.toFile.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    if (const int rc = parseOptions(argc, argv, options))
        return rc == 1 ? 0 : rc;

    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::signal(SIGPIPE, SIG_IGN);
    std::signal(SIGUSR1, onResetKey);
    std::signal(SIGUSR2, onCableKey);
    if (!options.toFile.empty())
        return writeToFile(options);

    sim::PtyLine line;
    std::string error;
    if (!line.open(options.link, error)) {
        std::fprintf(stderr, "telvo-sim: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", options.link.c_str());
    std::fflush(stdout);

    sim::SimDevice device(options.device);
    int outputRate = device.rateHz();
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    auto elapsed = [&] { return std::chrono::duration<double>(Clock::now() - start).count(); };

    // Bytes waiting for the line. While a reader keeps up nothing is dropped; the limit
    // only holds frames back from a reader that fell far behind.
    constexpr size_t kOutCap = 1 << 20;
    std::string out;
    uint64_t ticks = 0; // frame slots elapsed (streaming or not)
    uint64_t written = 0; // bytes handed to the line
    uint64_t consumedSeen = 0; // bytes the program had read at the last look
    double lastConsumed = 0;
    char buf[4096];
    int lastProgramBaud = line.programBaud();
    bool plugged = true;
    bool unplugPending = options.unplugAt >= 0;
    double replugAt = 0;

    while (!g_stop) {
        const double now = elapsed();
        if (options.seconds > 0 && now >= options.seconds)
            break;

        if (g_resetKey) {
            g_resetKey = 0;
            device.pressResetKey();
        }
        // The cable: pulled by the option's time or the key, put back after the delay or
        // by the key. Whatever was on its way is lost with the line.
        const bool cableKey = g_cableKey != 0;
        g_cableKey = 0;
        const bool unplugDue = unplugPending && now >= options.unplugAt;
        if (plugged && (cableKey || unplugDue)) {
            unplugPending = false;
            line.close();
            out.clear();
            written = consumedSeen = 0;
            plugged = false;
            replugAt = now + options.replugAfter;
            std::fprintf(stderr, "telvo-sim: unplugged\n");
        } else if (!plugged && (cableKey || now >= replugAt)) {
            if (!line.open(options.link, error)) {
                std::fprintf(stderr, "telvo-sim: %s\n", error.c_str());
                return 1;
            }
            plugged = true;
            lastProgramBaud = line.programBaud();
            lastConsumed = now;
            std::fprintf(stderr, "telvo-sim: plugged in again\n");
        }
        if (!plugged) {
            // The unit runs on without a line: its frames of the gap never arrive.
            device.poll(now);
            const uint64_t due = uint64_t(now * device.rateHz());
            for (; ticks < due; ++ticks) {
                if (device.streaming())
                    device.nextFrame(double(ticks) / device.rateHz());
            }
            ::poll(nullptr, 0, 20);
            continue;
        }

        // The boot loader's own output ('C' while it asks for an image).
        std::string own = device.poll(now);
        if (device.takeResetEvent())
            out.clear(); // a unit that restarts stops in the middle of what it was sending
        const bool ownRateMatches = line.programBaud() == device.baud();
        out += ownRateMatches ? own : scrambleWithoutC(own, uint32_t(ticks));

        // Input: commands are understood only at the device's own rate. A pty carries no
        // rate of its own, so bytes read now may have been written before the program
        // switched its rate since the last look: the rate seen then counts as well.
        const int programBaud = line.programBaud();
        const bool rateMatches = programBaud == device.baud() || lastProgramBaud == device.baud();
        lastProgramBaud = programBaud;
        for (;;) {
            const long n = line.readSome(buf, sizeof buf);
            if (n <= 0)
                break;
            if (rateMatches)
                out += device.receive(buf, n);
            if (device.takeResetEvent())
                out.clear();
        }

        // Output: every frame slot that has come due since the last turn.
        if (device.rateHz() != outputRate) {
            // A new rate (set com1) counts its slots from now on, without a burst or a gap.
            outputRate = device.rateHz();
            ticks = uint64_t(now * outputRate);
        }
        const uint64_t due = uint64_t(now * device.rateHz());
        if (due > ticks + uint64_t(device.rateHz()))
            ticks = due - uint64_t(device.rateHz()); // more than a second behind: skip ahead
        for (; ticks < due; ++ticks) {
            if (!device.streaming() || out.size() > kOutCap)
                continue;
            const std::string frame = device.nextFrame(double(ticks) / device.rateHz());
            out += rateMatches ? frame : sim::SimDevice::scramble(frame, uint32_t(ticks));
        }

        // Nobody reading (port closed): let queued bytes vanish, as on a real line, so
        // that the next reader starts with fresh data.
        const uint64_t pending = uint64_t(line.pendingTowardsProgram());
        const uint64_t consumed = written > pending ? written - pending : 0;
        if (consumed != consumedSeen || pending == 0) {
            consumedSeen = consumed;
            lastConsumed = now;
        } else if (now - lastConsumed > 0.3) {
            line.flushTowardsProgram();
            out.clear();
            written = consumedSeen = 0;
            lastConsumed = now;
        }

        // A line carries bytes at the rate they are sent with: what was queued while the
        // rates matched is noise to a program that has switched to another rate since (a
        // probe that opens the port at a new rate must not see frames of the old one).
        if (rateMatches && !out.empty() && line.programBaud() != device.baud())
            out = sim::SimDevice::scramble(out, uint32_t(ticks));

        while (!out.empty()) {
            const long n = line.writeSome(out.data(), long(out.size()));
            if (n <= 0)
                break;
            written += uint64_t(n);
            out.erase(0, size_t(n));
        }
        if (out.empty())
            device.lineDrained();

        const double nextDue = double(ticks + 1) / device.rateHz();
        int waitMs = int((nextDue - elapsed()) * 1000.0);
        waitMs = waitMs < 0 ? 0 : (waitMs > 20 ? 20 : waitMs);
        pollfd p { line.masterFd(), short(POLLIN | (out.empty() ? 0 : POLLOUT)), 0 };
        ::poll(&p, 1, waitMs);
    }
    line.close();
    return 0;
}
