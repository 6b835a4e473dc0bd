#include "zeroinv/stockbytes.h"

#include <cstring>

#include "support/files.h"

namespace orvik::test {

namespace {

template <typename T> void putLittleEndian(std::string& record, std::size_t offset, T value) {
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    for (std::size_t i = 0; i < sizeof(T); ++i) // the build machine is little-endian too
        record[offset + i] = static_cast<char>(bytes[i]);
}

void putText(std::string& record, std::size_t offset, const std::string& text, std::size_t width) {
    std::string field = text;
    field.resize(width, ' ');
    record.replace(offset, width, field);
}

// Unused fields are filled with a byte that would show up if read by mistake.
std::string blankRecord(std::size_t length) {
    return std::string(length, '\x7f');
}

} // namespace

std::string productRecord(const ProductBytes& product) {
    std::string record = blankRecord(356);
    putText(record, 0, product.code, 13);
    putText(record, 13, "NAME", 25);
    putLittleEndian<std::int32_t>(record, 41, product.group);
    putLittleEndian<std::int32_t>(record, 45, 77); // class
    putLittleEndian<std::int64_t>(record, 63, product.stockScaled);
    record[79] = product.marker;
    putLittleEndian<std::int32_t>(record, 80, 0); // supplier
    putLittleEndian<double>(record, 84, product.lastCount);
    putLittleEndian<std::int32_t>(record, 113, product.newestEvent);
    return record;
}

std::string eventRecord(const EventBytes& event) {
    std::string record = blankRecord(104);
    record[0] = event.kind;
    putLittleEndian<double>(record, 10, event.date);
    putLittleEndian<std::int32_t>(record, 84, event.olderEvent);
    return record;
}

std::string nameRecord(const NameBytes& name) {
    std::string record = blankRecord(43);
    record[4] = name.kind;
    putText(record, 5, name.name, 25);
    record[30] = name.flag;
    return record;
}

void writeStockFiles(const std::filesystem::path& dir, const std::vector<ProductBytes>& products,
                     const std::vector<EventBytes>& events, const std::vector<NameBytes>& names) {
    std::string bytes;
    for (const auto& product : products)
        bytes += productRecord(product);
    writeFile(dir / "CASSA.002", bytes);
    bytes.clear();
    for (const auto& event : events)
        bytes += eventRecord(event);
    writeFile(dir / "CASSA.004", bytes);
    bytes.clear();
    for (const auto& name : names)
        bytes += nameRecord(name);
    writeFile(dir / "CASSA.005", bytes);
}

} // namespace orvik::test
