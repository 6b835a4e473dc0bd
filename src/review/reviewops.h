#pragma once
// What the user does with the finished review list: totals, sorting by a
// clicked column, removing rows; and where the window's controls go at a size.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/scaledsum.h"
#include "review/reviewlist.h"

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

// The column whose text is sorted when the title at `position` (1 to 15,
// "Tuote" being 1) is clicked.
// -1 when the position is outside 1 to 15.
int sortColumnForClick(int position);

// A click on a column title: makes its sort column the key, flips the one
// direction of the list, and sorts the rows by the key column's text.
// Positions outside 1 to 15 change nothing.
void clickColumn(ReviewList& list, int position);

// The same as clickColumn, also telling where the rows went: element i is
// the old index of the row now at i. Empty when nothing was sorted.
std::vector<std::size_t> clickColumnReordering(ReviewList& list, int position);

// Sorts the rows by the text of the list's key column in its direction;
// stable, so rows with equal keys keep their order. Name columns compare
// without regard to case, the others byte by byte. Returns the old index of
// each row in its new place.
std::vector<std::size_t> sortRows(ReviewList& list);

// Compares two cell texts as the sort by `column` does: name columns without
// regard to case, the others byte by byte. Negative, 0 or positive.
int compareForSort(const std::string& a, const std::string& b, int column);

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
