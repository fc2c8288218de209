// libFuzzer target: arbitrary bytes through the INS decoder and the bridge, as a raw
// stream and as one logged message. Besides crashes and sanitizer reports it checks that
// the buffers stay bounded and, for binary input, that every byte is in an accepted
// frame or skipped.
#include "FuzzSupport.h"

#include "ins/InsBridge.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    gcs::fuzz::ensureApp();
    const QByteArray payload = gcs::fuzz::bytes(data, size);
    qint64 frameBytes = 0; // declared before the bridge, which the lambda must not outlive
    gcs::InsBridge bridge;
    RecDataModel* model = bridge.model();
    QObject::connect(model, &RecDataModel::wireFrameForLog,
                     [&](const QByteArray& f, qint64) { frameBytes += f.size(); });
    for (qsizetype at = 0; at < payload.size(); at += 1 + at % 97)
        bridge.feed(payload.mid(at, 1 + at % 97));
    model->endOfInput();
    const RecDataModel::Integrity c = model->integrity();
    const bool binary = !payload.contains("#vorn");
    if (c.bytes != payload.size() || (binary && c.skippedBytes + frameBytes != c.bytes))
        gcs::fuzz::fail("every byte is in an accepted frame or skipped");
    model->decodeMessage(payload, 1);
    bridge.appendFactoryRaw(payload);
    if (model->receiveBuffer().size() > RecDataModel::kBufferCap
        || bridge.factoryRaw().size() > gcs::InsBridge::kFactoryRawCap)
        gcs::fuzz::fail("buffers stay bounded");
    return 0;
}
