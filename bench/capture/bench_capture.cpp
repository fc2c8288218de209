// telvo-cli's capture commands against minimal C programs doing the same job, run as
// processes on generated captures: decode against scan_ref (the same hex lines) and
// export --format csv against csv_ref (the same columns with printf). Prints the best
// wall and CPU time of each and their ratios; the CPU ratio is the steadier one on a
// loaded machine. With --memory it also measures the peak memory (max RSS) of exporting
// a capture of that many MiB, generated in the work folder and deleted afterwards.
//
//   build/bin/bench_capture [--runs N] [--memory MIB] [--dir DIR]
//
// POSIX only (fork, exec, wait4), like the rest of the benchmarks' tooling.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Run
{
    double wallS = 0;
    double cpuS = 0;
    long maxRssKb = 0;
    int status = -1;
};

std::string g_bin;

Run runProcess(const std::vector<std::string>& argv, const std::string& outPath)
{
    Run run;
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int null = open("/dev/null", O_WRONLY);
        dup2(out, 1);
        dup2(null, 2);
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    rusage usage {};
    wait4(pid, &status, 0, &usage);
    run.wallS = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.cpuS = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    run.maxRssKb = usage.ru_maxrss;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

Run best(const std::vector<std::string>& argv, const std::string& outPath, int runs)
{
    Run b;
    for (int i = 0; i < runs; ++i) {
        const Run r = runProcess(argv, outPath);
        if (r.status != 0) {
            std::fprintf(stderr, "bench_capture: %s exited with %d\n", argv[0].c_str(), r.status);
            std::exit(1);
        }
        if (i == 0 || r.wallS < b.wallS)
            b.wallS = r.wallS;
        if (i == 0 || r.cpuS < b.cpuS)
            b.cpuS = r.cpuS;
        b.maxRssKb = std::max(b.maxRssKb, r.maxRssKb);
    }
    return b;
}

// ---- captures --------------------------------------------------------------------

void putLe(std::string& out, uint64_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(char((v >> (8 * i)) & 0xFF));
}

void putF32(std::string& out, double v)
{
    const float f = float(v);
    uint32_t bits;
    std::memcpy(&bits, &f, 4);
    putLe(out, bits, 4);
}

uint8_t byteSum(const std::string& s)
{
    unsigned sum = 0;
    for (unsigned char c : s)
        sum += c;
    return uint8_t(sum);
}

// A unit driving a slow circle: the values change from frame to frame as real ones do.
std::string sinsFrame(uint32_t n)
{
    const double t = n / 200.0;
    std::string f("\xAA\x55", 2);
    f.push_back(char(0x97));
    for (int i = 0; i < 6; ++i)
        putF32(f, std::sin(t * (i + 1) * 0.37) * (i < 3 ? 20.0 : 1.5));
    putLe(f, uint16_t(int16_t(std::lround(std::sin(t * 0.1) * 900))), 2);
    putLe(f, uint16_t(int16_t(std::lround(std::cos(t * 0.1) * 1200))), 2);
    putLe(f, uint16_t(std::lround(std::fmod(t * 6, 360.0) * 100)), 2);
    putLe(f, uint16_t(std::lround(std::fmod(t * 6 + 3, 360.0) * 100)), 2);
    putLe(f, uint32_t(int32_t(std::lround((116.39 + 0.001 * std::cos(t * 0.01)) * 1e7))), 4);
    putLe(f, uint32_t(int32_t(std::lround((39.90 + 0.001 * std::sin(t * 0.01)) * 1e7))), 4);
    putLe(f, uint16_t(int16_t(45 + n % 7)), 2);
    for (int i = 0; i < 3; ++i)
        putLe(f, uint16_t(int16_t(std::lround(std::sin(t + i) * 500))), 2);
    f.push_back(char(80 + 36));
    putLe(f, n / 10000, 4);
    putLe(f, n % 10000, 2);
    f.push_back(char(uint8_t(0u - byteSum(f))));
    return f;
}

std::string imuFrame(uint32_t n)
{
    const double t = n / 200.0;
    std::string f("\xAA\x55", 2);
    putLe(f, uint16_t(n), 2);
    for (int i = 0; i < 3; ++i)
        putLe(f, uint32_t(int32_t(std::lround(std::sin(t * (i + 1)) * 2e6))), 4);
    for (int i = 0; i < 3; ++i)
        putLe(f, uint32_t(int32_t(std::lround(std::cos(t * (i + 1)) * 1e7))), 4);
    putLe(f, uint16_t(int16_t(3650 + n % 13)), 2);
    f.push_back(char(byteSum(f)));
    return f;
}

bool writeCapture(const std::string& path, long long bytes, bool sins)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    std::string block;
    uint32_t n = 0;
    for (long long written = 0; written < bytes;) {
        block.clear();
        while (block.size() < (1u << 20))
            block += sins ? sinsFrame(n++) : imuFrame(n++);
        std::fwrite(block.data(), 1, block.size(), f);
        written += (long long)block.size();
    }
    return std::fclose(f) == 0;
}

bool sameFiles(const std::string& a, const std::string& b)
{
    FILE* fa = std::fopen(a.c_str(), "rb");
    FILE* fb = std::fopen(b.c_str(), "rb");
    bool same = fa && fb;
    std::vector<char> x(1 << 16), y(1 << 16);
    while (same) {
        const size_t n = std::fread(x.data(), 1, x.size(), fa);
        const size_t m = std::fread(y.data(), 1, y.size(), fb);
        same = n == m && std::memcmp(x.data(), y.data(), n) == 0;
        if (n == 0)
            break;
    }
    if (fa)
        std::fclose(fa);
    if (fb)
        std::fclose(fb);
    return same;
}

void compare(const char* what, const Run& ours, const Run& ref)
{
    std::printf("%-34s telvo-cli %6.3f s wall %6.3f s cpu | C %6.3f s wall %6.3f s cpu | "
                "ratio %.2f wall %.2f cpu\n",
                what, ours.wallS, ours.cpuS, ref.wallS, ref.cpuS, ours.wallS / ref.wallS,
                ours.cpuS / ref.cpuS);
}

} // namespace

int main(int argc, char** argv)
{
    int runs = 5;
    long long memoryMib = 0;
    std::string dir;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (a == "--memory" && i + 1 < argc)
            memoryMib = std::atoll(argv[++i]);
        else if (a == "--dir" && i + 1 < argc)
            dir = argv[++i];
        else {
            std::fprintf(stderr, "usage: bench_capture [--runs N] [--memory MIB] [--dir DIR]\n");
            return 2;
        }
    }
    const std::string self = argv[0];
    g_bin = self.substr(0, self.rfind('/') + 1);
    if (dir.empty()) {
        char templ[] = "/tmp/bench_capture_XXXXXX";
        if (!mkdtemp(templ)) {
            std::perror("bench_capture: mkdtemp");
            return 1;
        }
        dir = templ;
    }
    const std::string cli = g_bin + "telvo-cli";
    const std::string out = dir + "/out";
    const std::string refOut = dir + "/ref_out";

    const struct
    {
        const char* name;
        bool sins;
    } kinds[] = { { "59-byte frames", true }, { "31-byte frames", false } };
    for (const auto& kind : kinds) {
        const std::string capture = dir + (kind.sins ? "/sins.bin" : "/imu.bin");
        if (!writeCapture(capture, 35LL * 1000 * 1000, kind.sins)) {
            std::fprintf(stderr, "bench_capture: cannot write %s\n", capture.c_str());
            return 1;
        }
        const Run decode = best({ cli, "decode", capture }, out, runs);
        const Run scan = best({ g_bin + "scan_ref", capture }, refOut, runs);
        if (!sameFiles(out, refOut)) {
            std::fprintf(stderr, "bench_capture: decode and scan_ref differ on %s\n",
                         capture.c_str());
            return 1;
        }
        compare((std::string("decode, 35 MB of ") + kind.name).c_str(), decode, scan);
        const Run csv = best({ cli, "export", "--format", "csv", capture }, out, runs);
        const Run ref = best({ g_bin + "csv_ref", capture }, refOut, runs);
        compare((std::string("export csv, 35 MB of ") + kind.name).c_str(), csv, ref);
        std::remove(capture.c_str());
    }
    std::remove(out.c_str());
    std::remove(refOut.c_str());

    if (memoryMib > 0) {
        const std::string big = dir + "/big.bin";
        if (!writeCapture(big, memoryMib << 20, true)) {
            std::fprintf(stderr, "bench_capture: cannot write %s\n", big.c_str());
            return 1;
        }
        for (const char* format : { "csv", "kml" }) {
            const Run r = runProcess({ cli, "export", "--format", format, big }, "/dev/null");
            std::printf("export %s of %lld MiB (59-byte frames): %.1f s wall, %.1f s cpu, "
                        "max RSS %.1f MiB, exit %d\n",
                        format, memoryMib, r.wallS, r.cpuS, r.maxRssKb / 1024.0, r.status);
        }
        std::remove(big.c_str());
    }
    rmdir(dir.c_str());
    return 0;
}
