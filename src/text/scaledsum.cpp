#include "text/scaledsum.h"

namespace orvik {

namespace {

constexpr Int128 tenTo(int power) {
    Int128 value = 1;
    for (int i = 0; i < power; ++i)
        value *= 10;
    return value;
}

constexpr Int128 kBlock = tenTo(36);
constexpr int kBlockHundredthsDigits = 34; // 10^36 ten-thousandths in hundredths

// The digits of a number not below 0.
std::string digitsOf(Int128 value) {
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(value % 10)));
        value /= 10;
    } while (value != 0);
    return digits;
}

} // namespace

ScaledSum::ScaledSum(Int128 tenThousandths) {
    add(tenThousandths);
}

void ScaledSum::add(Int128 tenThousandths) {
    // Nearly every term is below a block, and needs no division.
    if (tenThousandths < kBlock && tenThousandths > -kBlock) {
        rest_ += tenThousandths;
    } else {
        blocks_ += static_cast<std::int64_t>(tenThousandths / kBlock);
        rest_ += tenThousandths % kBlock;
    }
    normalise();
}

void ScaledSum::normalise() {
    if (rest_ >= kBlock) {
        rest_ -= kBlock;
        ++blocks_;
    } else if (rest_ <= -kBlock) {
        rest_ += kBlock;
        --blocks_;
    }
    if (blocks_ > 0 && rest_ < 0) {
        rest_ += kBlock;
        --blocks_;
    } else if (blocks_ < 0 && rest_ > 0) {
        rest_ -= kBlock;
        ++blocks_;
    }
}

std::string ScaledSum::text() const {
    const bool negative = blocks_ < 0 || (blocks_ == 0 && rest_ < 0);
    Int128 blocks = blocks_ < 0 ? -Int128(blocks_) : Int128(blocks_);
    const Int128 rest = rest_ < 0 ? -rest_ : rest_;
    Int128 restHundredths = (rest + 50) / 100;
    if (restHundredths == tenTo(kBlockHundredthsDigits)) {
        blocks += 1;
        restHundredths = 0;
    }
    std::string digits = digitsOf(restHundredths);
    if (blocks != 0)
        digits =
            digitsOf(blocks) + std::string(kBlockHundredthsDigits - digits.size(), '0') + digits;
    if (digits.size() < 3)
        digits.insert(0, 3 - digits.size(), '0');
    const std::size_t point = digits.size() - 2;
    std::string text = digits.substr(0, point) + ',' + digits.substr(point);
    if (negative && digits.find_first_not_of('0') != std::string::npos)
        text.insert(text.begin(), '-');
    return text;
}

} // namespace orvik
