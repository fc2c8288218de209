// libFuzzer target: arbitrary bytes through the INS decoder and the bridge behind it.
// Besides crashes and sanitizer reports it checks that every buffer stays bounded and
// that the counters agree with what was reported.
#include "ins/InsBridge.h"
#include "ins/RecDataModel.h"

#include <cstddef>
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    gcs::InsBridge bridge;
    RecDataModel* model = bridge.model();
    int records = 0;
    int wires = 0;
    QObject::connect(model, &RecDataModel::newValue, [&](const RecDataStruct& r) {
        ++records;
        require(r.format >= RecImuAsc && r.format <= RecNullFormat, "record of a strange format");
    });
    QObject::connect(model, &RecDataModel::wireFrameForLog, [&](const QByteArray& f, qint64 ms) {
        ++wires;
        require(!f.isEmpty(), "empty wire frame");
        require(ms > 0, "wire frame without a time");
    });

    // Once whole, then again in two pieces on top of what is left.
    bridge.feed(bytes);
    require(model->receiveBuffer().size() <= RecDataModel::kBufferCap, "buffer past its cap");
    const qsizetype half = bytes.size() / 2;
    bridge.feed(bytes.left(half));
    bridge.feed(bytes.mid(half));
    require(model->receiveBuffer().size() <= RecDataModel::kBufferCap, "buffer past its cap");

    require(model->recBytes() == 2 * qint64(size), "byte count");
    require(model->recPackets() == records, "packet count");
    require(wires <= records + model->packetErrs(), "more wire frames than messages");
    require(bridge.factoryRaw().isEmpty(), "factory text without a read-back");
    bridge.appendFactoryRaw(bytes);
    require(bridge.factoryRaw().size() <= gcs::InsBridge::kFactoryRawCap,
            "factory text past its cap");
    return 0;
}
