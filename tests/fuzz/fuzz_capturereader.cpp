// libFuzzer target: arbitrary files through the capture reader, which tells a message log
// from a raw capture by the first line and streams either through the decoder. The chunk
// size comes from the input's last byte, so unfinished lines and frames are carried over
// chunk ends at many places. Besides crashes and sanitizer reports it checks that every
// record lies inside the file in file order, that reading ends, and that a seek to a
// record's message goes on from there.
#include "FuzzSupport.h"

#include "capture/CaptureReader.h"

namespace {

struct Place
{
    qint64 offset;
    qint64 line;
};

void readRecords(gcs::CaptureReader& reader, qint64 from, QList<Place>* places)
{
    gcs::CaptureRecord record;
    qint64 last = from;
    while (reader.next(record)) {
        if (record.offset < last || record.offset >= reader.size())
            gcs::fuzz::fail("records lie inside the file, in file order");
        if (reader.position() > reader.size())
            gcs::fuzz::fail("the position stays inside the file");
        last = record.offset;
        if (places)
            places->append({ record.offset, record.line });
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    gcs::fuzz::ensureApp();
    const QByteArray input = gcs::fuzz::bytes(data, size);
    gcs::CaptureReader reader;
    if (!reader.open(gcs::fuzz::inputFile(input)))
        return 0;
    const qint64 chunk = size > 0 ? 1 + data[size - 1] * 37 : 1;
    reader.setChunkSize(chunk);
    QList<Place> places;
    readRecords(reader, 0, &places);
    if (reader.counters().bytes > reader.size())
        gcs::fuzz::fail("the decoder saw no more bytes than the file has");
    if (places.isEmpty())
        return 0;
    const Place middle = places.at(places.size() / 2);
    if (!reader.seek(middle.offset, middle.line))
        gcs::fuzz::fail("a record's place can be sought");
    readRecords(reader, middle.offset, nullptr);
    return 0;
}
