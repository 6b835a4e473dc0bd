#pragma once
// The review list's totals: its differences valued at purchase and at sales
// price, and the caption `laske` shows them in.
#include <cstddef>
#include <string>
#include <vector>

#include "review/reviewlist.h"
#include "text/scaledsum.h"

namespace orvik {

struct Totals {
    ScaledSum purchaseScaled; // difference at purchase price, times 10 000
    ScaledSum salesScaled;    // difference at sales price, times 10 000
};

Totals computeTotals(const ReviewList& list);
// "Inventointiero " + purchase "0.00" + " OH / " + sales "0.00" + " MH".
std::string totalsCaption(const Totals& totals);
// Both together: the caption `laske` puts into the label.
std::string laske(const ReviewList& list);

} // namespace orvik
