// libFuzzer target: arbitrary bytes through the INS decoder, whole through the bridge and
// a byte at a time, as a raw stream and as one logged message. Besides crashes and
// sanitizer reports it checks that the buffers stay bounded, that a binary input decodes
// the same however it is split, and that every byte is in an accepted frame or skipped.
#include "ins/InsBridge.h"

#include <cstdint>
#include <cstdlib>

namespace {

QByteArray decode(const QByteArray& payload, qsizetype chunk)
{
    RecDataModel model;
    QByteArray trace;
    qint64 frameBytes = 0;
    QObject::connect(&model, &RecDataModel::wireFrameForLog, [&](const QByteArray& f, qint64) {
        trace += QByteArray::number(f.size()) + ':' + f;
        frameBytes += f.size();
    });
    for (qsizetype at = 0; at < payload.size(); at += chunk) {
        model.anaylzeRec(payload.mid(at, chunk));
        if (model.receiveBuffer().size() > RecDataModel::kBufferCap)
            std::abort();
    }
    model.endOfInput();
    const RecDataModel::Integrity c = model.integrity();
    if (c.bytes != payload.size()
        || (!payload.contains("#vorn") && c.skippedBytes + frameBytes != c.bytes))
        std::abort();
    return trace + QByteArray::number(c.lostFrames);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray payload(reinterpret_cast<const char*>(data), qsizetype(size));
    gcs::InsBridge bridge;
    bridge.feed(payload);
    bridge.model()->decodeMessage(payload, 1);
    bridge.appendFactoryRaw(payload);
    if (bridge.factoryRaw().size() > gcs::InsBridge::kFactoryRawCap)
        std::abort();
    if (!payload.contains("#vorn")
        && decode(payload, qMax<qsizetype>(1, size)) != decode(payload, 1 + size % 7))
        std::abort();
    return 0;
}
