// libFuzzer chunking harness: the first bytes of the input choose how the rest is split
// into chunks. For binary input (no "#vorn" anywhere) the decoded frames must be exactly
// those of feeding the rest in one chunk; text input must at least decode safely.
#include "ins/RecDataModel.h"

#include <QList>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

struct Trace
{
    QByteArray frames; // every wire frame, each behind its length
    int records = 0;
};

void attach(RecDataModel& model, Trace& trace)
{
    QObject::connect(&model, &RecDataModel::wireFrameForLog, [&trace](const QByteArray& f, qint64) {
        trace.frames += QByteArray::number(f.size()) + ':' + f;
    });
    QObject::connect(&model, &RecDataModel::newValue,
                     [&trace](const RecDataStruct&) { ++trace.records; });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    // Byte 0: how many split bytes follow (0 to 15); each gives a chunk length of 1 to
    // 256, used in turn until the payload is fed.
    const size_t count = data[0] % 16;
    if (size < 1 + count)
        return 0;
    QList<qsizetype> lengths;
    for (size_t i = 0; i < count; ++i)
        lengths << qsizetype(data[1 + i]) + 1;
    if (lengths.isEmpty())
        lengths << 1;
    const QByteArray payload(reinterpret_cast<const char*>(data + 1 + count),
                             qsizetype(size - 1 - count));

    RecDataModel whole;
    Trace expected;
    attach(whole, expected);
    whole.anaylzeRec(payload);

    RecDataModel chunked;
    Trace actual;
    attach(chunked, actual);
    qsizetype at = 0;
    for (qsizetype i = 0; at < payload.size(); ++i) {
        const qsizetype n = lengths[i % lengths.size()];
        chunked.anaylzeRec(payload.mid(at, n));
        at += n;
    }

    if (!payload.contains("#vorn")) {
        if (actual.records != expected.records || actual.frames != expected.frames) {
            std::fprintf(stderr, "chunked: %d records, one chunk: %d records\n", actual.records,
                         expected.records);
            std::abort();
        }
        // The buffers may differ (garbage after the last header waits unparsed in small
        // chunks), the lock may not.
        if (chunked.lockedFrameLength() != whole.lockedFrameLength()) {
            std::fprintf(stderr, "decoder state differs after the same bytes\n");
            std::abort();
        }
    }
    return 0;
}
