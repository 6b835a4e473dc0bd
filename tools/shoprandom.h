#pragma once
// A small random generator of our own, so that a seed gives the same shop
// with every compiler and standard library.
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace orvik::sampleshop {

class ShopRandom {
public:
    explicit ShopRandom(std::uint64_t seed) : state_(seed) {}

    // splitmix64
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 to n - 1 (0 when n is 0).
    std::size_t below(std::size_t n) { return n == 0 ? 0 : static_cast<std::size_t>(next() % n); }
    // low to high, both included.
    std::int64_t between(std::int64_t low, std::int64_t high) {
        return low + static_cast<std::int64_t>(below(static_cast<std::size_t>(high - low + 1)));
    }
    // True `tenths` times in a thousand.
    bool perMille(unsigned tenths) { return below(1000) < tenths; }
    template <typename T> const T& pick(const std::vector<T>& items) {
        return items[below(items.size())];
    }
    template <typename T> void shuffle(std::vector<T>& items) {
        for (std::size_t i = items.size(); i > 1; --i)
            std::swap(items[i - 1], items[below(i)]);
    }

private:
    std::uint64_t state_;
};

} // namespace orvik::sampleshop
