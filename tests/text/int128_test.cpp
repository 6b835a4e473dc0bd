// The 128-bit integer of the money sums: carries between its halves, signs,
// truncating division; and, where the compiler has a 128-bit type, the same
// answers as that type for every operation over values of every size.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "text/int128.h"

namespace orvik {
namespace {

const Int128 kTenTo18 = 1000000000000000000;

TEST(Int128, CarriesAndBorrowsBetweenItsHalves) {
    const Int128 twoTo64 = Int128(1) << 64;
    EXPECT_EQ(Int128(std::numeric_limits<std::uint64_t>::max()) + 1, twoTo64);
    EXPECT_EQ(twoTo64 - 1, Int128(std::numeric_limits<std::uint64_t>::max()));
    EXPECT_EQ(Int128(-1) + 1, Int128(0));
    EXPECT_LT(Int128(-1), Int128(0));
    EXPECT_LT(-twoTo64, Int128(std::numeric_limits<std::int64_t>::min()));
    EXPECT_GT(twoTo64, Int128(std::numeric_limits<std::int64_t>::max()));
    EXPECT_EQ(static_cast<std::int64_t>(Int128(-5)), -5);
}

TEST(Int128, MultipliesAndDividesBeyond64Bits) {
    const Int128 tenTo36 = kTenTo18 * kTenTo18;
    EXPECT_EQ(tenTo36 / kTenTo18, kTenTo18);
    EXPECT_EQ(tenTo36 % kTenTo18, Int128(0));
    EXPECT_EQ((tenTo36 + 7) % 10, Int128(7));
    EXPECT_EQ(-tenTo36 / (-kTenTo18), kTenTo18);
    EXPECT_EQ((Int128(1) << 126) / (Int128(1) << 63), Int128(1) << 63);
    // 2^126 = 85070591730234615865843651857942052864, last digit first.
    Int128 digits = Int128(1) << 126;
    const char* expected = "46825024975815634856851643203719507058";
    for (const char* digit = expected; *digit; ++digit) {
        EXPECT_EQ(static_cast<int>(digits % 10), *digit - '0');
        digits /= 10;
    }
    EXPECT_EQ(digits, Int128(0));
}

TEST(Int128, DivisionTruncatesTowardZero) {
    EXPECT_EQ(Int128(-7) / 2, Int128(-3));
    EXPECT_EQ(Int128(-7) % 2, Int128(-1));
    EXPECT_EQ(Int128(7) / -2, Int128(-3));
    EXPECT_EQ(Int128(7) % -2, Int128(1));
    const Int128 big = -(kTenTo18 * kTenTo18 * 3 + 5);
    EXPECT_EQ(big / (kTenTo18 * kTenTo18), Int128(-3));
    EXPECT_EQ(big % (kTenTo18 * kTenTo18), Int128(-5));
}

#ifdef __SIZEOF_INT128__
__int128 builtin(Int128 value) {
    return static_cast<__int128>(value.high()) * (static_cast<__int128>(1) << 64) + value.low();
}

// Wrapping as the built-in type's unsigned twin wraps.
__int128 wrapped(unsigned __int128 value) {
    return static_cast<__int128>(value);
}

TEST(Int128, AnswersAsTheBuiltInTypeDoes) {
    std::vector<Int128> values;
    std::uint64_t state = 2024;
    auto next = [&state] {
        state = state * 6364136223846793005u + 1442695040888963407u;
        return state;
    };
    for (int i = 0; i < 300; ++i) {
        const int bits = static_cast<int>(next() % 127);
        Int128 value = (Int128(next()) << 64) + Int128(next());
        value = value / (Int128(1) << (127 - bits));
        values.push_back(next() % 2 ? -value : value);
    }
    for (const Int128& a : values)
        for (std::size_t j = 0; j < values.size(); j += 7) {
            const Int128& b = values[j];
            const __int128 x = builtin(a), y = builtin(b);
            const auto ux = static_cast<unsigned __int128>(x),
                       uy = static_cast<unsigned __int128>(y);
            ASSERT_EQ(builtin(a + b), wrapped(ux + uy));
            ASSERT_EQ(builtin(a - b), wrapped(ux - uy));
            ASSERT_EQ(builtin(a * b), wrapped(ux * uy));
            ASSERT_EQ(a < b, x < y);
            if (y != 0) {
                ASSERT_EQ(builtin(a / b), x / y);
                ASSERT_EQ(builtin(a % b), x % y);
            }
        }
}
#endif

} // namespace
} // namespace orvik
