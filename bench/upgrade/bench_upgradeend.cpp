// Time from the receiver's ACK of the EOT to "文件发送成功", and on to the link being
// back at its old rate: the upgrade flow against telvo-sim's boot loader (as it is, with
// CR LF after its ACKs, and booting right after the EOT), and the engine against lrzsz's
// "rb --ymodem". The ACK is stamped when the transport announces it, before the engine
// sees it.
//
//   build/bin/bench_upgradeend [ROUNDS]
#include "TestSupport.h"

#include "link/SerialTransport.h"
#include "link/Session.h"
#include "upgrade/UpgradeFlow.h"
#include "upgrade/YModem.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

using namespace gcs;

namespace {

struct Stamps
{
    qint64 ack = -1; ///< the EOT's ACK announced by the transport
    qint64 success = -1; ///< finished(true)
    qint64 restored = -1; ///< the flow's end (the rate is back), or rb's exit
};

/// Stamps the first ACK the transport announces while the engine waits for the EOT's
/// answer. Connected before anyone else listens to the transport, so it runs first.
void watchEotAck(ITransport* link, const YModem* engine, const QElapsedTimer& clock, Stamps& s)
{
    QObject::connect(link, &ITransport::bytesReceived, [=, &clock, &s](const QByteArray& d) {
        if (s.ack < 0 && engine->state() == YModem::EotSent && d.contains('\x06'))
            s.ack = clock.nsecsElapsed();
    });
}

Stamps againstSim(const QStringList& simArgs, int baud, const QString& firmware)
{
    Stamps s;
    test::SimProcess sim;
    if (!sim.start(simArgs + QStringList { "--baud", QString::number(baud) }))
        return s;
    QElapsedTimer clock;
    YModem engine;
    auto link = std::make_unique<SerialTransport>(sim.port(), baud);
    watchEotAck(link.get(), &engine, clock, s);
    Session session("dev", "KT45", std::move(link));
    QObject::connect(&session, &Session::bytesReceived, [&](const QByteArray& d) {
        if (engine.busy())
            engine.onRx(d);
    });
    UpgradeFlow flow(&engine, [&] { return &session; });
    QObject::connect(&engine, &YModem::finished, [&](bool ok, const QString&) {
        if (ok)
            s.success = clock.nsecsElapsed();
    });
    QObject::connect(&flow, &UpgradeFlow::upgradeFinished,
                     [&](bool, const QString&) { s.restored = clock.nsecsElapsed(); });
    if (!session.connectTransport())
        return s;
    flow.syncYModemTransport();
    test::waitUntil([] { return false; }, 300);
    clock.start();
    if (flow.startUpgrade(firmware))
        test::waitUntil([&] { return s.restored >= 0; }, 60000);
    return s;
}

Stamps againstRb(const QString& firmware)
{
    Stamps s;
    QTemporaryDir target;
    test::PtyPair pair;
    if (!pair.start())
        return s;
    test::RawTty holdPeerEnd(pair.endB()); // keeps the pair up when rb exits
    test::TtyProgram rb;
    if (!rb.start("rb", { "--ymodem", "-q" }, pair.endB(), target.path()))
        return s;
    QElapsedTimer clock;
    YModem engine;
    SerialTransport link(pair.endA(), 115200);
    watchEotAck(&link, &engine, clock, s);
    QObject::connect(&link, &ITransport::bytesReceived, &engine, &YModem::onRx);
    QObject::connect(&engine, &YModem::finished, [&](bool ok, const QString&) {
        if (ok)
            s.success = clock.nsecsElapsed();
    });
    if (!link.open())
        return s;
    engine.attach(&link);
    clock.start();
    if (engine.startSend(firmware)) {
        engine.beginHandshake(20000);
        test::waitUntil([&] { return !rb.isRunning(); }, 60000);
        if (rb.exitCode() == 0)
            s.restored = clock.nsecsElapsed();
    }
    return s;
}

void report(const char* name, const std::vector<Stamps>& rounds)
{
    std::vector<double> toSuccess;
    std::vector<double> toEnd;
    for (const Stamps& s : rounds) {
        if (s.ack < 0 || s.success < 0 || s.restored < 0) {
            std::printf("%-34s a round failed (ack %lld, success %lld, end %lld)\n", name, s.ack,
                        s.success, s.restored);
            continue;
        }
        toSuccess.push_back((s.success - s.ack) / 1e6);
        toEnd.push_back((s.restored - s.ack) / 1e6);
    }
    if (toSuccess.empty())
        return;
    std::sort(toSuccess.begin(), toSuccess.end());
    std::sort(toEnd.begin(), toEnd.end());
    const auto median = [](const std::vector<double>& v) { return v[v.size() / 2]; };
    std::printf("%-34s ACK to success: median %8.3f ms, max %8.3f ms; ACK to end: median %8.1f ms, "
                "max %8.1f ms (%zu rounds)\n",
                name, median(toSuccess), toSuccess.back(), median(toEnd), toEnd.back(),
                toSuccess.size());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    QTemporaryDir dir;
    const QString firmware = dir.filePath("fw.bin");
    QByteArray image(64 * 1024, '\0');
    for (qsizetype i = 0; i < image.size(); ++i)
        image[i] = char((i * 13 + 7) & 0xff);
    if (!test::writeFileBytes(firmware, image))
        return 1;

    const struct
    {
        const char* name;
        QStringList args;
        int baud;
    } sims[] = {
        { "telvo-sim at 9600", {}, 9600 },
        { "telvo-sim at 115200", {}, 115200 },
        { "telvo-sim, CR LF after ACK", { "--boot-quirk", "crlf" }, 9600 },
        { "telvo-sim, boots right after EOT", { "--boot-quirk", "eot-talk" }, 9600 },
    };
    for (const auto& sim : sims) {
        std::vector<Stamps> results;
        for (int i = 0; i < rounds; ++i)
            results.push_back(againstSim(sim.args, sim.baud, firmware));
        report(sim.name, results);
    }
    std::vector<Stamps> results;
    for (int i = 0; i < rounds; ++i)
        results.push_back(againstRb(firmware));
    report("rb --ymodem (end: rb exits 0)", results);
    return 0;
}
