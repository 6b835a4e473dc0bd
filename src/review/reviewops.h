#pragma once
// What the user does with the finished review list: totals, sorting by a
// clicked column, removing rows; and where the window's controls go at a size.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "review/reviewlist.h"

namespace orvik {

struct Totals {
    std::int64_t purchaseScaled = 0; // difference at purchase price, times 10 000
    std::int64_t salesScaled = 0;    // difference at sales price, times 10 000
};

Totals computeTotals(const ReviewList& list);
// "Inventointiero " + purchase "0.00" + " OH / " + sales "0.00" + " MH".
std::string totalsCaption(const Totals& totals);
// Both together: the caption `laske` puts into the label.
std::string laske(const ReviewList& list);

// The column whose text is sorted when the title at `position` (1 to 15,
// "Tuote" being 1) is clicked.
int sortColumnForClick(int position);

// A click on a column title: makes its sort column the key, flips the one
// direction of the list, and sorts the rows by the key column's text.
void clickColumn(ReviewList& list, int position);

// Removes the rows at these indices (any order, duplicates allowed).
void removeRows(ReviewList& list, const std::vector<std::size_t>& indices);

// Positions in twips: left, top, width, height.
struct TwipsRect {
    int left, top, width, height;
    bool operator==(const TwipsRect&) const = default;
};

struct ReviewLayout {
    TwipsRect list, bar, poista, tulosta, tulostaLaaja, hyvaksy, sulje, totals;
};

// The layout at design size.
ReviewLayout designLayout();
// The layout after the window's outer size became `width` x `height` twips;
// sizes too small keep the list's width or height from `current`.
ReviewLayout resizedLayout(const ReviewLayout& current, int width, int height);

} // namespace orvik
