#include "support/fuzzsupport.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>

namespace orvik::fuzz {

void expect(bool rule, const char* what) {
    if (rule)
        return;
    std::fprintf(stderr, "broken rule: %s\n", what);
    std::abort();
}

void expect(bool rule, const char* what, std::string_view shown) {
    if (rule)
        return;
    std::fprintf(stderr, "broken rule: %s: \"%.*s\"\n", what, static_cast<int>(shown.size()),
                 shown.data());
    std::abort();
}

std::vector<std::string_view> splitParts(const std::uint8_t* data, std::size_t size,
                                         std::size_t maxParts) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> parts;
    while (parts.size() + 1 < maxParts) {
        const std::size_t marker = rest.find(kPartMarker);
        if (marker == std::string_view::npos)
            break;
        parts.push_back(rest.substr(0, marker));
        rest.remove_prefix(marker + kPartMarker.size());
    }
    parts.push_back(rest);
    return parts;
}

ScratchDir& ScratchDir::instance() {
    static ScratchDir dir;
    return dir;
}

ScratchDir::ScratchDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvik-fuzz-XXXXXX").string();
    expect(::mkdtemp(pattern.data()) != nullptr, "a scratch directory can be made");
    path_ = pattern;
    static std::filesystem::path removeAtExit;
    removeAtExit = path_;
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(removeAtExit, ignored);
    });
}

void ScratchDir::clear() {
    for (const auto& entry : std::filesystem::directory_iterator(path_))
        std::filesystem::remove_all(entry.path());
}

void ScratchDir::write(const std::string& name, std::string_view bytes) const {
    std::ofstream out(path_ / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    expect(static_cast<bool>(out.flush()), "a scratch file can be written");
}

std::string ScratchDir::read(const std::string& name, bool& exists) const {
    std::ifstream in(path_ / name, std::ios::binary);
    exists = static_cast<bool>(in);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::size_t openFileCount() {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}

std::int32_t le32(std::string_view bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[offset + i]);
    return static_cast<std::int32_t>(value);
}

std::int64_t le64(std::string_view bytes, std::size_t offset) {
    std::uint64_t value = 0;
    for (int i = 7; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[offset + i]);
    return static_cast<std::int64_t>(value);
}

double leDouble(std::string_view bytes, std::size_t offset) {
    const std::uint64_t bits = static_cast<std::uint64_t>(le64(bytes, offset));
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

PlainRecords::PlainRecords(std::string_view bytes, std::size_t length)
    : bytes_(bytes), length_(length) {
    const std::size_t whole = bytes.size() / length;
    const std::size_t rest = bytes.size() % length;
    // Nearest whole number, a half going to the even one.
    const bool roundUp = 2 * rest > length || (2 * rest == length && whole % 2 == 1);
    count_ = static_cast<std::int64_t>(whole + (roundUp ? 1 : 0));
}

std::string PlainRecords::at(std::int64_t n) const {
    if (n < 1 || n > count_)
        return {};
    const std::size_t start = static_cast<std::size_t>(n - 1) * length_;
    std::string record(length_, '\0');
    if (start < bytes_.size()) {
        const std::size_t available = std::min(length_, bytes_.size() - start);
        bytes_.copy(record.data(), available, start);
    }
    return record;
}

std::string_view stripBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

std::string plainKey(std::string_view code) {
    std::string key(code.substr(0, 13));
    key.resize(13, ' ');
    return key;
}

std::optional<std::int32_t> plainSearch(const PlainRecords& index, const std::string& key) {
    std::int64_t low = 1;
    std::int64_t high = index.count();
    while (high >= low) {
        const std::int64_t middle = (low + high) / 2;
        const std::string record = index.at(middle);
        const int order = record.compare(0, 13, key);
        if (order == 0)
            return le32(record, 13);
        if (order < 0)
            low = middle + 1;
        else
            high = middle - 1;
    }
    return std::nullopt;
}

} // namespace orvik::fuzz
