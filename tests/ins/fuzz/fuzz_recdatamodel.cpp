// libFuzzer target: arbitrary bytes through the INS decoder, whole through the bridge and
// in chunks whose sizes the input's first bytes choose (byte 0: how many sizes follow,
// 0 to 15, each 1 to 256). Besides crashes and sanitizer reports it checks that every
// buffer stays bounded, that a binary input decodes the same however it is split, and
// that every byte of it is in an accepted frame, skipped, or waiting.
#include "ins/InsBridge.h"

#include <cstdint>

#include <cstdio>
#include <cstdlib>

namespace {

void require(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "fuzz_recdatamodel: %s\n", what);
        std::abort();
    }
}

QByteArray decode(RecDataModel& model, const QByteArray& payload, const QList<qsizetype>& sizes)
{
    QByteArray trace;
    qint64 frameBytes = 0;
    QObject::connect(&model, &RecDataModel::wireFrameForLog, [&](const QByteArray& f, qint64 ms) {
        require(!f.isEmpty() && ms > 0, "empty or unstamped wire frame");
        trace += QByteArray::number(f.size()) + ':' + f;
        frameBytes += f.size();
    });
    for (qsizetype at = 0, i = 0; at < payload.size(); at += sizes[i++ % sizes.size()]) {
        model.anaylzeRec(payload.mid(at, sizes[i % sizes.size()]));
        require(model.receiveBuffer().size() <= RecDataModel::kBufferCap, "buffer past its cap");
    }
    model.endOfInput();
    const RecDataModel::Integrity c = model.integrity();
    require(c.bytes == payload.size(), "byte count");
    if (!payload.contains("#vorn"))
        require(c.skippedBytes + frameBytes == c.bytes, "bytes neither accepted nor skipped");
    return trace + QByteArray::number(c.skippedBytes) + '/' + QByteArray::number(c.lostFrames);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const size_t count = size > 0 ? data[0] % 16 : 0;
    if (size < 1 + count)
        return 0;
    QList<qsizetype> sizes;
    for (size_t i = 0; i < count; ++i)
        sizes << qsizetype(data[1 + i]) + 1;
    const QByteArray payload(reinterpret_cast<const char*>(data + 1 + count),
                             qsizetype(size - 1 - count));

    gcs::InsBridge bridge;
    bridge.feed(payload);
    bridge.model()->decodeMessage(payload, 1);
    bridge.appendFactoryRaw(payload);
    require(bridge.factoryRaw().size() <= gcs::InsBridge::kFactoryRawCap,
            "factory text past its cap");

    RecDataModel whole, chunked;
    const QByteArray expected = decode(whole, payload, { qMax<qsizetype>(1, payload.size()) });
    const QByteArray actual
        = decode(chunked, payload, sizes.isEmpty() ? QList<qsizetype> { 1 } : sizes);
    require(payload.contains("#vorn") || actual == expected,
            "chunked decode differs from one chunk");
    return 0;
}
