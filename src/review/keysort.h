#pragma once
// A stable sort of byte-string keys, in either direction: keys compared
// byte by byte as unsigned, a key that is a prefix of another first, equal
// keys in the order they were added. Knows nothing of what it sorts.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvik {

// The keys, copied one after another into one buffer, so that comparing them
// stays in cache instead of chasing every owner's strings.
class SortKeys {
public:
    explicit SortKeys(std::size_t expectedKeys) {
        offsets_.reserve(expectedKeys + 1);
        buffer_.reserve(expectedKeys * 16);
        offsets_.push_back(0);
    }

    // Appends a key, each byte mapped through `bytes` on the way.
    void add(std::string_view key, const std::array<char, 256>& bytes) {
        const std::size_t offset = buffer_.size();
        buffer_.resize(offset + key.size());
        char* out = buffer_.data() + offset;
        for (char byte : key)
            *out++ = bytes[static_cast<unsigned char>(byte)];
        offsets_.push_back(buffer_.size());
    }

    std::size_t size() const { return offsets_.size() - 1; }
    std::size_t length(std::size_t key) const { return offsets_[key + 1] - offsets_[key]; }

    // Eight bytes of the key from `from` on, as a number that orders as the
    // bytes do (unsigned); past the key's end the bytes count as zero.
    std::uint64_t chunk(std::size_t key, std::size_t from) const {
        const std::size_t end = offsets_[key + 1];
        std::uint64_t value = 0;
        for (std::size_t i = offsets_[key] + from; i < offsets_[key] + from + 8; ++i)
            value = (value << 8) | (i < end ? static_cast<unsigned char>(buffer_[i]) : 0u);
        return value;
    }

private:
    std::string buffer_;
    std::vector<std::size_t> offsets_;
};

// The keys' order: element i is the index of the key that sorts i-th. The
// descending order reverses the comparison and still keeps equal keys in the
// order they were added.
std::vector<std::size_t> stableKeyOrder(const SortKeys& keys, bool descending);

} // namespace orvik
