#pragma once
// The cash-register system's stock files: fixed-length records, 1-based,
// opened read-only and shared, never written.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "files/ownfiles.h"
#include "files/safewrite.h"

namespace orvik {

inline constexpr std::size_t kIndexRecordLength = 18;
inline constexpr std::size_t kProductRecordLength = 356;
inline constexpr std::size_t kEventRecordLength = 104;
inline constexpr std::size_t kNameRecordLength = 43;

// A file of fixed-length records, open for reading only while this lives.
class RecordFile {
public:
    RecordFile() = default;
    RecordFile(RecordFile&& other) noexcept;
    RecordFile& operator=(RecordFile&& other) noexcept;
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;
    ~RecordFile();

    // Opens the file shared and read-only; on failure isOpen() is false and
    // `error` says why.
    static RecordFile open(const std::filesystem::path& path, std::size_t recordLength,
                           FileError& error);

    bool isOpen() const { return fd_ >= 0; }
    // The file's length divided by the record length, rounded to the nearest
    // whole number, halves to even.
    std::int64_t recordCount() const { return count_; }

    // Record n (from 1) into `record`, exactly one record long; a short last
    // record is padded with zero bytes. False when n is 0 or less, beyond the
    // record count, or the read fails.
    bool read(std::int64_t n, std::string& record) const;

    // Records 1 to recordCount() in one read, the last one padded with zero
    // bytes as read() pads it. False when the read fails.
    bool readAll(std::string& records) const;

    // Records `first` to first + count - 1, cut at the record count, in one
    // read and padded as read() pads; none past the end. False on a read error.
    bool readRange(std::int64_t first, std::int64_t count, std::string& records) const;

private:
    int fd_ = -1;
    std::size_t length_ = 0;
    std::int64_t count_ = 0;
};

// The record count of a file of `fileLength` bytes.
std::int64_t recordCountFor(std::uint64_t fileLength, std::size_t recordLength);

// A currency value: the stored 64-bit integer, the value times 10 000.
struct Currency {
    std::int64_t scaled = 0;
    double value() const { return static_cast<double>(scaled) / 10000.0; }
};

struct ProductRecord {
    std::string code; // 13 bytes as stored
    std::string name; // 25 bytes as stored
    std::int32_t group = 0;
    std::int32_t productClass = 0;
    Currency salesPrice;
    Currency stock;
    Currency purchasePrice;
    char marker = ' ';
    std::int32_t supplier = 0;
    double lastCount = 0; // day number
    std::int32_t newestEvent = 0;
};

struct EventRecord {
    char kind = ' ';
    double date = 0; // day number
    std::int32_t olderEvent = 0;
};

struct NameRecord {
    char kind = ' ';
    std::string name; // 25 bytes as stored
    char flag = ' ';  // the one character at offset 30
};

struct IndexRecord {
    std::string code; // 13 bytes as stored
    std::int32_t productRecord = 0;
};

// Decoders of one whole record each (little-endian fields).
ProductRecord decodeProduct(std::string_view record);
EventRecord decodeEvent(std::string_view record);
NameRecord decodeName(std::string_view record);
IndexRecord decodeIndex(std::string_view record);

} // namespace orvik
