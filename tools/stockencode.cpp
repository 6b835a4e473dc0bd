#include "stockencode.h"

#include <cstdint>
#include <cstring>

#include "text/fixedfield.h"

namespace orvik::sampleshop {

namespace {

// A record being written field by field at fixed offsets.
class RecordWriter {
public:
    explicit RecordWriter(std::size_t length) : bytes_(length, '\0') {}

    void blanks(std::size_t offset, std::size_t width) {
        bytes_.replace(offset, width, width, ' ');
    }
    void text(std::size_t offset, std::size_t width, const std::string& value) {
        bytes_.replace(offset, width, leftField(value, width));
    }
    void byte(std::size_t offset, char value) { bytes_[offset] = value; }
    void int32(std::size_t offset, std::int32_t value) {
        little(offset, static_cast<std::uint32_t>(value), 4);
    }
    void int64(std::size_t offset, std::int64_t value) {
        little(offset, static_cast<std::uint64_t>(value), 8);
    }
    void float64(std::size_t offset, double value) {
        std::uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        little(offset, bits, 8);
    }
    std::string take() { return std::move(bytes_); }

private:
    void little(std::size_t offset, std::uint64_t value, std::size_t width) {
        for (std::size_t i = 0; i < width; ++i, value >>= 8)
            bytes_[offset + i] = static_cast<char>(value & 0xFF);
    }

    std::string bytes_;
};

} // namespace

std::string encodeProduct(const ProductRecord& p) {
    RecordWriter w(kProductRecordLength);
    w.text(0, 13, p.code);
    w.text(13, 25, p.name);
    w.blanks(38, 3);
    w.int32(41, p.group);
    w.int32(45, p.productClass);
    w.int64(53, p.salesPrice.scaled);
    w.int64(63, p.stock.scaled);
    w.int64(71, p.purchasePrice.scaled);
    w.byte(79, p.marker);
    w.int32(80, p.supplier);
    w.float64(84, p.lastCount);
    w.blanks(108, 5);
    w.int32(113, p.newestEvent);
    w.blanks(123, 209);
    return w.take();
}

std::string encodeEvent(const EventRecord& e) {
    RecordWriter w(kEventRecordLength);
    w.byte(0, e.kind);
    w.blanks(1, 9);
    w.float64(10, e.date);
    w.blanks(18, 7);
    w.blanks(29, 13);
    w.int32(84, e.olderEvent);
    w.blanks(88, 6);
    return w.take();
}

std::string encodeName(const NameRecord& n) {
    RecordWriter w(kNameRecordLength);
    w.byte(4, n.kind);
    w.text(5, 25, n.name);
    w.byte(30, n.flag);
    return w.take();
}

std::string encodeIndex(const IndexRecord& entry) {
    RecordWriter w(kIndexRecordLength);
    w.text(0, 13, entry.code);
    w.int32(13, entry.productRecord);
    w.byte(17, ' ');
    return w.take();
}

} // namespace orvik::sampleshop
