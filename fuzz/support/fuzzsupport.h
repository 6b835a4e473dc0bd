#pragma once
// What every harness shares: a scratch directory for the files the code
// reads, the input cut into parts, plain little-endian reads, and the check
// that turns a broken rule into a crash libFuzzer keeps.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvik::fuzz {

// Ends the run with `what` when `rule` does not hold; libFuzzer saves the input.
void expect(bool rule, const char* what);
// The same, telling the text that broke it.
void expect(bool rule, const char* what, std::string_view shown);

// The parts of an input separated by kPartMarker; a missing part is absent
// (fewer parts than asked for), extra markers stay in the last part.
inline constexpr std::string_view kPartMarker = "\n~~~\n";
std::vector<std::string_view> splitParts(const std::uint8_t* data, std::size_t size,
                                         std::size_t maxParts);

// One directory for the whole run, emptied before each input and removed at
// the end of the process.
class ScratchDir {
public:
    static ScratchDir& instance();
    const std::filesystem::path& path() const { return path_; }
    // The directory as a directory value (with its trailing separator).
    std::string dirValue() const { return path_.string() + "/"; }
    void clear();
    void write(const std::string& name, std::string_view bytes) const;
    // The file's bytes; `exists` false when there is none.
    std::string read(const std::string& name, bool& exists) const;

private:
    ScratchDir();
    std::filesystem::path path_;
};

// The number of open file descriptors of this process.
std::size_t openFileCount();

// Little-endian fields read straight from the bytes.
std::int32_t le32(std::string_view bytes, std::size_t offset);
std::int64_t le64(std::string_view bytes, std::size_t offset);
double leDouble(std::string_view bytes, std::size_t offset);

// Fixed-length records over a file's bytes as the stock files are read: the
// count is the length over the record length rounded to the nearest whole,
// halves to even; a short last record is filled up with zero bytes.
class PlainRecords {
public:
    PlainRecords(std::string_view bytes, std::size_t length);
    std::int64_t count() const { return count_; }
    // Record n, 1 to count(); empty outside.
    std::string at(std::int64_t n) const;

private:
    std::string_view bytes_;
    std::size_t length_;
    std::int64_t count_;
};

// The text with blanks (only 0x20) removed at both ends.
std::string_view stripBlanks(std::string_view text);

// The key of a product code in the index: cut or padded to 13 characters.
std::string plainKey(std::string_view code);

// One halving search of an index of 18-byte records, as the record layout
// and the rule describe it: the product record number, or nothing.
std::optional<std::int32_t> plainSearch(const PlainRecords& index, const std::string& key);

} // namespace orvik::fuzz
