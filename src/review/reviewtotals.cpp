// The review list's totals, each product's difference valued exactly.
#include "review/reviewtotals.h"

#include <cmath>

#include "text/int128.h"
#include "text/numbertext.h"

namespace orvik {

namespace {

// Beyond any product of two numbers the stock files can make (each below
// 10^16), and low enough that its ten-thousandths fit 128 bits.
constexpr double kProductLimit = 1.0e34;

// A product rounded to the currency's four decimals, as a scaled integer, so
// that the running sums add exactly. The product is taken in double
// precision and rounded in decimal, as it reads with 15 significant digits;
// scaling it in binary would lose units beyond 2^53. A product beyond the
// limit, or no number at all, comes from no file and adds nothing.
Int128 scaledProduct(double a, double b) {
    const double product = a * b;
    if (!(std::fabs(product) < kProductLimit))
        return 0;
    Int128 scaled = 0;
    bool negative = false;
    for (char c : patternNumber(product, "0.0000")) {
        if (c == '-')
            negative = true;
        else if (c >= '0' && c <= '9')
            scaled = scaled * 10 + (c - '0');
    }
    return negative ? -scaled : scaled;
}

} // namespace

Totals computeTotals(const ReviewList& list) {
    Totals totals;
    for (const ReviewRow& row : list.rows) {
        const double difference = cellNumber(row[colErotus]);
        totals.salesScaled.add(scaledProduct(difference, cellNumber(row[colMyyntihinta])));
        totals.purchaseScaled.add(scaledProduct(difference, cellNumber(row[colOstohinta])));
    }
    return totals;
}

std::string totalsCaption(const Totals& totals) {
    return "Inventointiero " + totals.purchaseScaled.text() + " OH / " + totals.salesScaled.text() +
           " MH";
}

std::string laske(const ReviewList& list) {
    return totalsCaption(computeTotals(list));
}

} // namespace orvik
