// The totals' sum: exact at any size, written as the pattern "0.00" writes.
#include <gtest/gtest.h>

#include "text/scaledsum.h"

namespace orvik {
namespace {

TEST(ScaledSum, RoundsHalvesAwayFromZeroAndShowsNoMinusOnZero) {
    EXPECT_EQ(ScaledSum().text(), "0,00");
    EXPECT_EQ(ScaledSum(-49).text(), "0,00");
    EXPECT_EQ(ScaledSum(-50).text(), "-0,01");
    EXPECT_EQ(ScaledSum(1234550).text(), "123,46");
    EXPECT_EQ(ScaledSum(-1300000).text(), "-130,00");
}

TEST(ScaledSum, StaysExactBeyond128BitsAndBackAgain) {
    const Int128 big = Int128(1) << 126;
    ScaledSum sum;
    for (int i = 0; i < 3; ++i)
        sum.add(big);
    EXPECT_EQ(sum.text(), "25521177519070384759753095557382615,86");
    for (int i = 0; i < 4; ++i)
        sum.add(-big);
    EXPECT_EQ(sum.text(), "-8507059173023461586584365185794205,29");
    sum.add(big);
    EXPECT_EQ(sum, ScaledSum());

    // A rounding that carries into the next block of digits.
    const Int128 block = Int128(1000000000000000000) * 1000000000000000000;
    ScaledSum nearBlock(block - 1);
    EXPECT_EQ(nearBlock.text(), "100000000000000000000000000000000,00");
    nearBlock.add(-block);
    EXPECT_EQ(nearBlock.text(), "0,00");
    EXPECT_EQ(nearBlock, ScaledSum(-1));
}

} // namespace
} // namespace orvik
