#pragma once
// An exact running sum of amounts in ten-thousandths, the scale of the
// currency type, that no number of terms can overflow.
#include <concepts>
#include <cstdint>
#include <string>

#include "text/int128.h"

namespace orvik {

class ScaledSum {
public:
    ScaledSum() = default;
    // A sum of this one amount.
    ScaledSum(Int128 tenThousandths);
    template <std::integral T> ScaledSum(T tenThousandths) : ScaledSum(Int128(tenThousandths)) {}

    void add(Int128 tenThousandths);

    // The sum with the pattern "0.00": two decimals, halves rounded away
    // from zero, decimal comma, a minus only when the rounded sum is not 0.
    std::string text() const;

    bool operator==(const ScaledSum&) const = default;

private:
    void normalise();

    // The sum is blocks_ x 10^36 + rest_, with |rest_| < 10^36 and rest_
    // never of the other sign than blocks_, so each sum has one form. A term
    // moves blocks_ by at most 170, so 64 bits of blocks outlast any list.
    std::int64_t blocks_ = 0;
    Int128 rest_ = 0;
};

} // namespace orvik
