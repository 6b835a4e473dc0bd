// Totals over the review list and removal of rows.
#include "review/reviewops.h"

#include <cmath>

#include "common/numbertext.h"

namespace orvik {

namespace {

constexpr double kCurrencyScale = 10000.0;

// A product rounded to the currency's four decimals, as a scaled integer, so
// that the running sums add exactly.
std::int64_t scaledProduct(double a, double b) {
    return std::llround(roundHalfAway(a * b, 4) * kCurrencyScale);
}

} // namespace

Totals computeTotals(const ReviewList& list) {
    Totals totals;
    for (const ReviewRow& row : list.rows) {
        const double difference = cellNumber(row[colErotus]);
        totals.salesScaled += scaledProduct(difference, cellNumber(row[colMyyntihinta]));
        totals.purchaseScaled += scaledProduct(difference, cellNumber(row[colOstohinta]));
    }
    return totals;
}

std::string totalsCaption(const Totals& totals) {
    const double purchase = static_cast<double>(totals.purchaseScaled) / kCurrencyScale;
    const double sales = static_cast<double>(totals.salesScaled) / kCurrencyScale;
    return "Inventointiero " + patternNumber(purchase, "0.00") + " OH / " +
           patternNumber(sales, "0.00") + " MH";
}

std::string laske(const ReviewList& list) {
    return totalsCaption(computeTotals(list));
}

void removeRows(ReviewList& list, const std::vector<std::size_t>& indices) {
    std::vector<bool> doomed(list.rows.size(), false);
    for (std::size_t index : indices)
        if (index < doomed.size())
            doomed[index] = true;

    std::size_t kept = 0;
    for (std::size_t i = 0; i < list.rows.size(); ++i) {
        if (doomed[i])
            continue;
        if (kept != i)
            list.rows[kept] = std::move(list.rows[i]);
        ++kept;
    }
    list.rows.resize(kept);
}

} // namespace orvik
