// Sorting the review list by a clicked column title.
#include "review/reviewsort.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <utility>

#include "review/keysort.h"
#include "text/codepage.h"

namespace orvik {

namespace {

// The column sorted for each clicked position 1 to 15: "Varasto", "Erotus"
// and "Ero OH" sort by their hidden keys, and the title of the last hidden
// key by the code.
constexpr std::array<int, kReviewColumnCount> kSortColumnOfPosition = {
    colTuote,       colNimitys,    colSortSaldo,  colLukija,      colSortErotus,
    colSortSaldo,   colSortErotus, colTuoteryhma, colTuoteluokka, colInventoitu,
    colMyyntihinta, colOstohinta,  colToimittaja, colSortEroMh,   colTuote,
};

bool isNameColumn(int column) {
    return column == colNimitys || column == colTuoteryhma || column == colTuoteluokka ||
           column == colToimittaja;
}

// Each byte as it sorts: name columns upper-cased, the others as they are.
std::array<char, 256> byteMap(bool ignoreCase) {
    std::array<char, 256> map{};
    for (std::size_t i = 0; i < map.size(); ++i) {
        const auto byte = static_cast<char>(i);
        map[i] = ignoreCase ? cp1252::toUpper(byte) : byte;
    }
    return map;
}

// The key column's texts of all rows.
SortKeys rowKeys(const ReviewList& list, int column) {
    const auto at = static_cast<std::size_t>(column);
    const std::array<char, 256> bytes = byteMap(isNameColumn(column));
    // One pass over the rows, which lie all over memory.
    SortKeys keys(list.rows.size());
    for (const ReviewRow& row : list.rows)
        keys.add(row[at], bytes);
    return keys;
}

std::vector<std::size_t> sortedOrder(const ReviewList& list) {
    return stableKeyOrder(rowKeys(list, list.sortColumn), list.descending);
}

// Rows ahead on a cycle are fetched into the cache early: a sorted order
// reads the rows all over memory, and each row is several cache lines.
constexpr std::size_t kRowsFetchedAhead = 8;

void fetchRow(const ReviewRow& row) {
    const char* bytes = reinterpret_cast<const char*>(&row);
    for (std::size_t offset = 0; offset < sizeof(ReviewRow); offset += 64)
        __builtin_prefetch(bytes + offset);
}

// Puts the rows in `order` in place, one cycle of the permutation at a time:
// a fresh vector of rows would cost a large allocation at every click. Each
// row on a cycle moves into the place the previous one left, which is still
// in the cache, so only the rows read need fetching.
void permuteRows(ReviewList& list, const std::vector<std::size_t>& order) {
    std::vector<bool> placed(order.size(), false);
    for (std::size_t start = 0; start < order.size(); ++start) {
        if (placed[start] || order[start] == start) {
            placed[start] = true;
            continue;
        }
        std::size_t ahead = start;
        for (std::size_t i = 0; i < kRowsFetchedAhead && order[ahead] != start; ++i) {
            ahead = order[ahead];
            fetchRow(list.rows[ahead]);
        }
        ReviewRow first = std::move(list.rows[start]);
        std::size_t hole = start;
        while (order[hole] != start) {
            if (order[ahead] != start) {
                ahead = order[ahead];
                fetchRow(list.rows[ahead]);
            }
            list.rows[hole] = std::move(list.rows[order[hole]]);
            placed[hole] = true;
            hole = order[hole];
        }
        list.rows[hole] = std::move(first);
        placed[hole] = true;
    }
}

// The key being replaced becomes the newest earlier key; an older entry of
// the same column, or of the new key's, no longer decides anything.
void rememberEarlierKey(ReviewList& list, int newColumn) {
    std::vector<SortKey>& keys = list.earlierKeys;
    std::erase_if(keys, [&](const SortKey& key) {
        return key.column == list.sortColumn || key.column == newColumn;
    });
    if (list.sortColumn != newColumn)
        keys.insert(keys.begin(), SortKey{list.sortColumn, list.descending});
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

int compareForSort(const std::string& a, const std::string& b, int column) {
    if (!isNameColumn(column))
        return std::string_view(a).compare(b);
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto left = static_cast<unsigned char>(cp1252::toUpper(a[i]));
        const auto right = static_cast<unsigned char>(cp1252::toUpper(b[i]));
        if (left != right)
            return left < right ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

std::vector<std::size_t> clickColumnReordering(ReviewList& list, int position) {
    const int column = sortColumnForClick(position);
    if (column < 0)
        return {};
    rememberEarlierKey(list, column);
    list.sortColumn = column;
    list.descending = !list.descending;
    return sortRows(list);
}

void clickColumn(ReviewList& list, int position) {
    clickColumnReordering(list, position);
}

} // namespace orvik
