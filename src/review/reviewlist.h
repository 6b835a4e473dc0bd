#pragma once
// The review list: one row per counted product, fifteen text cells each,
// code-page bytes exactly as shown. The window shows it through a model; the
// results (hand-over, saving, reports) read it in the order shown.
#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace orvik {

inline constexpr int kReviewColumnCount = 15;

enum ReviewColumn : int {
    colTuote = 0,   // product code (the row's own text)
    colNimitys,     // product name
    colVarasto,     // stock quantity
    colLukija,      // counted quantity
    colErotus,      // difference
    colSortSaldo,   // hidden sort key of the stock
    colSortErotus,  // hidden sort key of the difference
    colTuoteryhma,  // product group name
    colTuoteluokka, // product class name
    colInventoitu,  // last count date
    colMyyntihinta, // sales price
    colOstohinta,   // purchase price
    colToimittaja,  // supplier name
    colEroOH,       // difference at purchase price
    colSortEroMh,   // hidden sort key of colEroOH
};

struct ReviewColumnLayout {
    std::string title; // code-page bytes
    int widthTwips;    // 0 = hidden
    bool alignRight;
};

// The fifteen columns, left to right.
const std::array<ReviewColumnLayout, kReviewColumnCount>& reviewColumns();

using ReviewRow = std::array<std::string, kReviewColumnCount>;

// A work-file line the review could not read: kept aside so that whatever
// rewrites the work file can write it back unchanged.
struct UnreadLine {
    std::size_t lineNumber; // 1-based, in the work file
    std::string text;       // without its line end
};

// A column sorted in a direction.
struct SortKey {
    int column;
    bool descending;
};

struct ReviewList {
    std::vector<ReviewRow> rows; // in the order shown
    std::vector<UnreadLine> unreadLines;

    // Sort state, kept by the list between clicks: the key column and one
    // direction for the whole list.
    int sortColumn = colTuote;
    bool descending = false;
    // The keys of the clicks before, newest first, each column once: among
    // rows the key leaves equal, the stable sort kept the order they gave,
    // which is what places a row brought back by an undo.
    std::vector<SortKey> earlierKeys;
};

} // namespace orvik
