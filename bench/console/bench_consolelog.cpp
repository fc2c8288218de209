// The communication log under a full load: one 200 ms batch with every buffer at its cap,
// switching the form of a full log, and tracing a command into a full log.
#include "console/ConsoleLog.h"

#include <QDateTime>

#include <benchmark/benchmark.h>

namespace {

const QDateTime kNow(QDate(2024, 3, 9), QTime(8, 0));

/// Bytes like a navigation stream: mostly binary, some printable.
QByteArray streamBytes(qsizetype count, quint32 seed)
{
    QByteArray bytes(count, Qt::Uninitialized);
    quint32 x = seed * 2654435761u + 1;
    for (char& c : bytes) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        c = char(x & 0xFF);
    }
    return bytes;
}

/// A log whose rendered bytes, text and pending bytes are all at their caps.
void fill(gcs::ConsoleLog& log, bool hex)
{
    log.setHexMode(hex);
    // Three full pending buffers overrun both the text and the byte caps.
    for (int i = 0; i < 3; ++i) {
        log.takeReceived(streamBytes(gcs::ConsoleLog::kMaxPendingRaw, quint32(i)), true);
        while (log.flushRawBatch(false, kNow).more) { }
    }
    log.takeReceived(streamBytes(gcs::ConsoleLog::kMaxPendingRaw, 99), true);
}

void flushAtFullBuffers(benchmark::State& state)
{
    const bool hex = state.range(0) != 0;
    gcs::ConsoleLog log;
    fill(log, hex);
    const QByteArray refill = streamBytes(gcs::ConsoleLog::kBatchBytes, 7);
    for (auto _ : state) {
        // What arrives while a batch is rendered keeps the pending buffer full.
        log.takeReceived(refill, true);
        benchmark::DoNotOptimize(log.flushRawBatch(false, kNow));
    }
    state.SetBytesProcessed(state.iterations() * gcs::ConsoleLog::kBatchBytes);
    state.counters["text_chars"] = double(log.text().size());
    state.counters["archived_bytes"] = double(log.archivedRawBytes());
    state.counters["pending_bytes"] = double(log.pendingRawBytes());
}
BENCHMARK(flushAtFullBuffers)->Arg(0)->Arg(1)->ArgName("hex");

void hexSwitchOfAFullLog(benchmark::State& state)
{
    // From a full text log to hex: every kept batch is rendered again and trimmed.
    for (auto _ : state) {
        state.PauseTiming();
        gcs::ConsoleLog log;
        fill(log, false);
        state.ResumeTiming();
        log.setHexMode(true);
        benchmark::DoNotOptimize(log.text().size());
    }
}
BENCHMARK(hexSwitchOfAFullLog);

void commandTraceIntoAFullLog(benchmark::State& state)
{
    gcs::ConsoleLog log;
    fill(log, false);
    const QByteArray command("#vorn,set com1,422,115200,200,sinsbin*ff\r\n");
    for (auto _ : state)
        benchmark::DoNotOptimize(log.appendCommandTrace(command, kNow));
}
BENCHMARK(commandTraceIntoAFullLog);

} // namespace

BENCHMARK_MAIN();
