#pragma once
// What the user does with the finished review list: its totals and removing
// rows.
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

// Removes the rows at these indices (any order, duplicates allowed).
void removeRows(ReviewList& list, const std::vector<std::size_t>& indices);

} // namespace orvik
