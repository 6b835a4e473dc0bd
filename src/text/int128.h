#pragma once
// A signed 128-bit integer in two 64-bit halves (two's complement), for the
// exact money sums: 32-bit compilers have no 128-bit integer type, and the
// program is 32-bit on Windows. Arithmetic wraps modulo 2^128 as the
// built-in type's would; division truncates toward zero as C++'s does.
#include <compare>
#include <concepts>
#include <cstdint>
#include <type_traits>

namespace orvik {

namespace int128detail {
// Defined ahead of the class: a constant built from a built-in integer is
// evaluated while the class is still being read.
template <std::integral T> constexpr bool below0(T value) {
    if constexpr (std::is_signed_v<T>)
        return value < 0;
    else
        return false;
}
} // namespace int128detail

class Int128 {
public:
    constexpr Int128() = default;
    template <std::integral T>
    constexpr Int128(T value) // NOLINT: converts as a built-in integer does
        : high_(int128detail::below0(value) ? ~std::uint64_t{0} : 0),
          low_(static_cast<std::uint64_t>(value)) {}

    // The value modulo 2^64 (or 2^32, ...), as a built-in narrowing does.
    template <std::integral T> explicit constexpr operator T() const {
        return static_cast<T>(low_);
    }

    constexpr bool negative() const { return (high_ >> 63) != 0; }
    // The value is high() x 2^64 + low().
    constexpr std::int64_t high() const { return static_cast<std::int64_t>(high_); }
    constexpr std::uint64_t low() const { return low_; }

    friend constexpr Int128 operator+(Int128 a, Int128 b) {
        Int128 sum;
        sum.low_ = a.low_ + b.low_;
        sum.high_ = a.high_ + b.high_ + (sum.low_ < a.low_ ? 1 : 0);
        return sum;
    }
    constexpr Int128 operator-() const { return Int128(~high_, ~low_) + Int128(1); }
    friend constexpr Int128 operator-(Int128 a, Int128 b) { return a + -b; }

    friend constexpr Int128 operator*(Int128 a, Int128 b) {
        Int128 product = wideProduct(a.low_, b.low_);
        product.high_ += a.high_ * b.low_ + a.low_ * b.high_;
        return product;
    }
    friend constexpr Int128 operator/(Int128 a, Int128 b) {
        Int128 quotient, remainder;
        divide(a, b, quotient, remainder);
        return quotient;
    }
    friend constexpr Int128 operator%(Int128 a, Int128 b) {
        Int128 quotient, remainder;
        divide(a, b, quotient, remainder);
        return remainder;
    }

    friend constexpr Int128 operator<<(Int128 a, int bits) {
        if (bits <= 0)
            return a;
        if (bits >= 64)
            return Int128(a.low_ << (bits - 64), 0);
        return Int128((a.high_ << bits) | (a.low_ >> (64 - bits)), a.low_ << bits);
    }

    constexpr Int128& operator+=(Int128 b) { return *this = *this + b; }
    constexpr Int128& operator-=(Int128 b) { return *this = *this - b; }
    constexpr Int128& operator*=(Int128 b) { return *this = *this * b; }
    constexpr Int128& operator/=(Int128 b) { return *this = *this / b; }

    friend constexpr bool operator==(Int128 a, Int128 b) = default;
    friend constexpr std::strong_ordering operator<=>(Int128 a, Int128 b) {
        if (a.high_ != b.high_)
            return static_cast<std::int64_t>(a.high_) <=> static_cast<std::int64_t>(b.high_);
        return a.low_ <=> b.low_;
    }

private:
    constexpr Int128(std::uint64_t high, std::uint64_t low) : high_(high), low_(low) {}

    // The whole 128-bit product of two 64-bit numbers, from 32-bit pieces.
    static constexpr Int128 wideProduct(std::uint64_t a, std::uint64_t b) {
        const std::uint64_t a0 = a & 0xffffffffu, a1 = a >> 32;
        const std::uint64_t b0 = b & 0xffffffffu, b1 = b >> 32;
        const std::uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
        const std::uint64_t middle = (p00 >> 32) + (p01 & 0xffffffffu) + (p10 & 0xffffffffu);
        return Int128(p11 + (p01 >> 32) + (p10 >> 32) + (middle >> 32),
                      (middle << 32) | (p00 & 0xffffffffu));
    }

    // Magnitudes divided bit by bit (or in 64 bits when both fit), then the
    // signs: the quotient's from both, the remainder's from the dividend.
    static constexpr void divide(Int128 a, Int128 b, Int128& quotient, Int128& remainder) {
        const bool negativeA = a.negative(), negativeB = b.negative();
        const Int128 n = negativeA ? -a : a;
        const Int128 d = negativeB ? -b : b;
        quotient = remainder = Int128();
        if (n.high_ == 0 && d.high_ == 0) {
            quotient.low_ = n.low_ / d.low_;
            remainder.low_ = n.low_ % d.low_;
        } else {
            for (int bit = 127; bit >= 0; --bit) {
                remainder = remainder << 1;
                remainder.low_ |= (bit >= 64 ? n.high_ >> (bit - 64) : n.low_ >> bit) & 1;
                if (!unsignedLess(remainder, d)) {
                    remainder = remainder - d;
                    if (bit >= 64)
                        quotient.high_ |= std::uint64_t{1} << (bit - 64);
                    else
                        quotient.low_ |= std::uint64_t{1} << bit;
                }
            }
        }
        if (negativeA != negativeB)
            quotient = -quotient;
        if (negativeA)
            remainder = -remainder;
    }

    static constexpr bool unsignedLess(Int128 a, Int128 b) {
        return a.high_ != b.high_ ? a.high_ < b.high_ : a.low_ < b.low_;
    }

    std::uint64_t high_ = 0;
    std::uint64_t low_ = 0;
};

} // namespace orvik
