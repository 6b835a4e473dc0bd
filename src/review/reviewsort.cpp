// Sorting the review list by a clicked column title.
#include "review/reviewops.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <string_view>

#include "common/codepage.h"

namespace orvik {

namespace {

// The column sorted for each clicked position 1 to 15: the numeric columns
// sort by their hidden keys, and the key columns themselves by "Tuote" where
// they have no key of their own.
constexpr std::array<int, kReviewColumnCount> kSortColumnOfPosition = {
    colTuote,       colNimitys,    colSortSaldo,  colLukija,      colSortErotus,
    colSortSaldo,   colSortErotus, colTuoteryhma, colTuoteluokka, colInventoitu,
    colMyyntihinta, colOstohinta,  colToimittaja, colSortEroMh,   colTuote,
};

bool isNameColumn(int column) {
    return column == colNimitys || column == colTuoteryhma || column == colTuoteluokka ||
           column == colToimittaja;
}

// The text each row is compared by. Name columns are compared in upper case,
// so the keys are copies; other columns compare their own bytes in place.
class SortKeys {
public:
    SortKeys(const ReviewList& list, int column) {
        keys_.reserve(list.rows.size());
        if (isNameColumn(column)) {
            upper_.reserve(list.rows.size());
            for (const ReviewRow& row : list.rows)
                upper_.push_back(cp1252::toUpper(row[column]));
            for (const std::string& text : upper_)
                keys_.emplace_back(text);
        } else {
            for (const ReviewRow& row : list.rows)
                keys_.emplace_back(row[column]);
        }
    }
    SortKeys(const SortKeys&) = delete;
    SortKeys& operator=(const SortKeys&) = delete;

    // std::string_view compares bytes as unsigned characters.
    std::string_view operator[](std::size_t i) const { return keys_[i]; }

private:
    std::vector<std::string> upper_;
    std::vector<std::string_view> keys_;
};

std::vector<std::size_t> sortedOrder(const ReviewList& list) {
    const SortKeys keys(list, list.sortColumn);
    std::vector<std::size_t> order(list.rows.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    if (list.descending)
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return keys[b] < keys[a]; });
    else
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
    return order;
}

void permuteRows(ReviewList& list, const std::vector<std::size_t>& order) {
    std::vector<ReviewRow> sorted;
    sorted.reserve(order.size());
    for (std::size_t old : order)
        sorted.push_back(std::move(list.rows[old]));
    list.rows = std::move(sorted);
}

} // namespace

int sortColumnForClick(int position) {
    if (position < 1 || position > kReviewColumnCount)
        return -1;
    return kSortColumnOfPosition[static_cast<std::size_t>(position - 1)];
}

std::vector<std::size_t> sortRows(ReviewList& list) {
    std::vector<std::size_t> order = sortedOrder(list);
    permuteRows(list, order);
    return order;
}

std::vector<std::size_t> clickColumnReordering(ReviewList& list, int position) {
    const int column = sortColumnForClick(position);
    if (column < 0)
        return {};
    list.sortColumn = column;
    list.descending = !list.descending;
    return sortRows(list);
}

void clickColumn(ReviewList& list, int position) {
    clickColumnReordering(list, position);
}

} // namespace orvik
