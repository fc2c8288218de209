#include "forward/JsonRecord.h"

#include "capture/CsvExporter.h"
#include "capture/RecordColumns.h"

#include <charconv>
#include <cstring>

namespace gcs {

namespace {

// "t" and 19 numbers of at most CsvExporter::kNumberChars each, with their keys.
constexpr qsizetype kMaxDatagram = 1024;

char* putKey(char* p, const char* name)
{
    *p++ = '"';
    const size_t n = std::strlen(name);
    std::memcpy(p, name, n);
    p += n;
    *p++ = '"';
    *p++ = ':';
    return p;
}

bool isFiniteText(const char* v)
{
    if (*v == '-')
        ++v;
    return *v != 'i' && *v != 'n';
}

} // namespace

QByteArray JsonRecord::datagram(const RecDataStruct& record, qint64 hostRxMs)
{
    QByteArray out;
    write(out, record, hostRxMs);
    return out;
}

qsizetype JsonRecord::write(QByteArray& out, const RecDataStruct& record, qint64 hostRxMs)
{
    out.resize(kMaxDatagram);
    char* const start = out.data();
    char* p = start;
    *p++ = '{';
    p = putKey(p, "t");
    p = std::to_chars(p, p + CsvExporter::kNumberChars, double(hostRxMs) / 1000.0,
                      std::chars_format::fixed, 3)
            .ptr;
    for (int i = 0; i < RecordColumns::ColumnCount; ++i) {
        const auto column = RecordColumns::Column(i);
        if (!RecordColumns::isNumber(column) || !RecordColumns::carries(record, column))
            continue;
        *p++ = ',';
        p = putKey(p, RecordColumns::name(column));
        char* const value = p;
        p = CsvExporter::writeNumber(p, record, column);
        if (!isFiniteText(value)) {
            std::memcpy(value, "null", 4);
            p = value + 4;
        }
    }
    *p++ = '}';
    out.resize(p - start);
    return out.size();
}

} // namespace gcs
