// The stock files' record reader and field decoders against the bytes read
// by hand: the record count rounds halves to even, a short last record is
// padded with zero bytes, every field is little-endian at its offset.
#include <algorithm>

#include "stock/stockfiles.h"
#include "support/fuzzsupport.h"

namespace {

using namespace orvik;
using namespace orvik::fuzz;

void checkProduct(const std::string& record) {
    const ProductRecord product = decodeProduct(record);
    expect(product.code == record.substr(0, 13), "product code as stored");
    expect(product.name == record.substr(13, 25), "product name as stored");
    expect(product.group == le32(record, 41), "product group");
    expect(product.productClass == le32(record, 45), "product class");
    expect(product.salesPrice.scaled == le64(record, 53), "sales price");
    expect(product.stock.scaled == le64(record, 63), "stock quantity");
    expect(product.purchasePrice.scaled == le64(record, 71), "purchase price");
    expect(product.marker == record[79], "marker");
    expect(product.supplier == le32(record, 80), "supplier");
    const double lastCount = leDouble(record, 84);
    expect(product.lastCount == lastCount || (lastCount != lastCount), "last count date");
    expect(product.newestEvent == le32(record, 113), "newest event");
}

void checkEvent(const std::string& record) {
    const EventRecord event = decodeEvent(record);
    expect(event.kind == record[0], "event kind");
    const double date = leDouble(record, 10);
    expect(event.date == date || (date != date), "event date");
    expect(event.olderEvent == le32(record, 84), "older event");
}

void checkName(const std::string& record) {
    const NameRecord name = decodeName(record);
    expect(name.kind == record[4], "name kind");
    expect(name.name == record.substr(5, 25), "name as stored");
    expect(name.flag == record[30], "name flag");
}

void checkIndex(const std::string& record) {
    const IndexRecord entry = decodeIndex(record);
    expect(entry.code == record.substr(0, 13), "index code as stored");
    expect(entry.productRecord == le32(record, 13), "index record number");
}

void checkDecoded(std::size_t length, const std::string& record) {
    switch (length) {
    case kProductRecordLength:
        return checkProduct(record);
    case kEventRecordLength:
        return checkEvent(record);
    case kNameRecordLength:
        return checkName(record);
    default:
        return checkIndex(record);
    }
}

// Reads the file as records of `length` through the reader and by hand.
void checkRecordFile(const std::string& bytes, std::size_t length, std::int64_t probe,
                     std::int64_t span) {
    ScratchDir& dir = ScratchDir::instance();
    const PlainRecords plain(bytes, length);
    FileError error;
    RecordFile file = RecordFile::open(dir.path() / "CASSA.002", length, error);
    expect(file.isOpen() && !error.failed(), "a regular file opens");
    expect(file.recordCount() == plain.count(), "record count rounded half to even");
    expect(recordCountFor(bytes.size(), length) == plain.count(), "record count for a length");

    std::string record;
    for (std::int64_t n :
         {std::int64_t{0}, std::int64_t{1}, plain.count(), plain.count() + 1, probe, -probe}) {
        const bool inFile = n >= 1 && n <= plain.count();
        expect(file.read(n, record) == inFile, "records 1 to the count read, no others");
        if (!inFile)
            continue;
        expect(record == plain.at(n), "a record is its bytes, zero-padded");
        checkDecoded(length, record);
    }

    std::string all;
    expect(file.readAll(all), "the whole file reads");
    std::string expected;
    for (std::int64_t n = 1; n <= plain.count(); ++n)
        expected += plain.at(n);
    expect(all == expected, "all records are the records one by one");

    std::string range;
    const bool rangeRead = file.readRange(probe, span, range);
    expect(rangeRead == (probe >= 1 && span >= 0), "a range from record 1 on reads");
    if (rangeRead) {
        std::string expectedRange;
        for (std::int64_t n = probe; n < probe + span && n <= plain.count(); ++n)
            expectedRange += plain.at(n);
        expect(range == expectedRange, "a range is its records, cut at the end");
    }
}

} // namespace

// Input: a small header (probe record, range length) and the file's bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const std::int64_t probe = static_cast<std::int8_t>(data[0]);
    const std::int64_t span = static_cast<std::int8_t>(data[1]);
    const std::string bytes(reinterpret_cast<const char*>(data + 2), size - 2);
    ScratchDir& dir = ScratchDir::instance();
    dir.write("CASSA.002", bytes);
    for (std::size_t length :
         {kIndexRecordLength, kProductRecordLength, kEventRecordLength, kNameRecordLength})
        checkRecordFile(bytes, length, probe, span);
    return 0;
}
