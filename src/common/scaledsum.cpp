#include "common/scaledsum.h"

namespace orvik {

namespace {

using Unsigned = unsigned __int128;

constexpr __int128 tenTo(int power) {
    __int128 value = 1;
    for (int i = 0; i < power; ++i)
        value *= 10;
    return value;
}

constexpr __int128 kBlock = tenTo(36);
constexpr int kBlockHundredthsDigits = 34; // 10^36 ten-thousandths in hundredths

std::string digitsOf(Unsigned value) {
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(value % 10)));
        value /= 10;
    } while (value != 0);
    return digits;
}

} // namespace

ScaledSum::ScaledSum(__int128 tenThousandths) {
    add(tenThousandths);
}

void ScaledSum::add(__int128 tenThousandths) {
    blocks_ += static_cast<std::int64_t>(tenThousandths / kBlock);
    rest_ += tenThousandths % kBlock;
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
    Unsigned blocks =
        blocks_ < 0 ? -static_cast<Unsigned>(blocks_) : static_cast<Unsigned>(blocks_);
    const Unsigned rest = rest_ < 0 ? -static_cast<Unsigned>(rest_) : static_cast<Unsigned>(rest_);
    Unsigned restHundredths = (rest + 50) / 100;
    if (restHundredths == static_cast<Unsigned>(tenTo(kBlockHundredthsDigits))) {
        ++blocks;
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
