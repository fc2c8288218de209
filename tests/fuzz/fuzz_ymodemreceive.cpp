// libFuzzer target: the YModem receiver fed arbitrary bytes, as a misbehaving sender would
// send them, in chunks of varying size. A checksum is hard to guess, so when the first
// byte is odd the harness frames every packet it finds correctly (block number complement
// and CRC): the fuzzer then explores what a sender may say in well-formed packets, in any
// order. Besides crashes and sanitizer reports it checks that the receiver answers every
// byte with a bounded answer and never writes more than it was sent.
#include "FuzzSupport.h"

#include "upgrade/YModem.h"
#include "upgrade/YModemProtocol.h"

#include <QFileInfo>

namespace {

/// A link that keeps what the receiver says.
class AnswerSink : public gcs::ITransport
{
public:
    bool open() override { return true; }
    void close() override { }
    bool isOpen() const override { return true; }
    bool send(const QByteArray& data) override
    {
        answered += data.size();
        return true;
    }
    gcs::TransportKind kind() const override { return gcs::TransportKind::Tcp; }
    QString description() const override { return QStringLiteral("fuzz"); }

    qint64 answered = 0;
};

void framePackets(QByteArray& stream)
{
    using namespace gcs::ymodem;
    qsizetype at = 0;
    while (at < stream.size()) {
        const char c = stream.at(at);
        const int block = c == kSoh ? kShortBlock : c == kStx ? kLongBlock : 0;
        if (block == 0 || at + block + kOverhead > stream.size()) {
            ++at;
            continue;
        }
        stream[at + 2] = char(~quint8(stream.at(at + 1)));
        const quint16 crc = gcs::YModem::crc16(stream.mid(at + 3, block));
        stream[at + 3 + block] = char(crc >> 8);
        stream[at + 4 + block] = char(crc & 0xFF);
        at += block + kOverhead;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    gcs::fuzz::ensureApp();
    if (size == 0)
        return 0;
    QByteArray stream(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    if (data[0] & 1)
        framePackets(stream);
    const QString target = gcs::fuzz::inputFile(QByteArray());
    AnswerSink link;
    gcs::YModem receiver;
    receiver.attach(&link);
    if (!receiver.startReceive(target))
        gcs::fuzz::fail("the receiver starts");
    for (qsizetype at = 0; at < stream.size() && receiver.busy();) {
        const qsizetype chunk = 1 + (at * 7 + data[0]) % 1100;
        receiver.onRx(stream.mid(at, chunk));
        at += chunk;
    }
    if (receiver.busy())
        receiver.cancel();
    if (receiver.busy())
        gcs::fuzz::fail("a cancel ends the transfer");
    if (link.answered > 4 * stream.size() + 16)
        gcs::fuzz::fail("each byte gets a bounded answer");
    if (QFileInfo(target).size() > stream.size())
        gcs::fuzz::fail("the file holds no more than was sent");
    return 0;
}
