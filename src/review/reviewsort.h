#pragma once
// Sorting the review list by a clicked column title.
#include <cstddef>
#include <string>
#include <vector>

#include "review/reviewlist.h"

namespace orvik {

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

} // namespace orvik
