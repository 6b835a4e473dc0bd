// Sorting the review list by a clicked column title.
#include "review/reviewsort.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "common/codepage.h"

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

// One row's place in the sort: its key copied into a shared buffer (so the
// comparisons stay in cache instead of chasing every row's strings), led by
// its first eight bytes as a number, which settles most comparisons.
struct SortEntry {
    std::uint64_t prefix;
    std::size_t offset;
    std::size_t length;
    std::size_t row;
};

std::uint64_t leadingBytes(std::string_view key) {
    std::uint64_t prefix = 0;
    for (std::size_t i = 0; i < 8; ++i)
        prefix = (prefix << 8) | (i < key.size() ? static_cast<unsigned char>(key[i]) : 0u);
    return prefix;
}

class SortKeys {
public:
    SortKeys(const ReviewList& list, int column) {
        const bool ignoreCase = isNameColumn(column);
        entries_.reserve(list.rows.size());
        std::size_t total = 0;
        for (const ReviewRow& row : list.rows)
            total += row[static_cast<std::size_t>(column)].size();
        buffer_.reserve(total);
        for (std::size_t row = 0; row < list.rows.size(); ++row) {
            const std::string& text = list.rows[row][static_cast<std::size_t>(column)];
            const std::size_t offset = buffer_.size();
            if (ignoreCase)
                for (char byte : text)
                    buffer_ += cp1252::toUpper(byte);
            else
                buffer_ += text;
            entries_.push_back({0, offset, text.size(), row});
        }
        for (SortEntry& entry : entries_)
            entry.prefix = leadingBytes(key(entry));
    }

    // Keys compare as unsigned bytes (std::string_view does so).
    bool less(const SortEntry& a, const SortEntry& b) const {
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix;
        return key(a) < key(b);
    }

    std::vector<SortEntry>& entries() { return entries_; }

private:
    std::string_view key(const SortEntry& entry) const {
        return std::string_view(buffer_).substr(entry.offset, entry.length);
    }

    std::string buffer_;
    std::vector<SortEntry> entries_;
};

std::vector<std::size_t> sortedOrder(const ReviewList& list) {
    SortKeys keys(list, list.sortColumn);
    std::vector<SortEntry>& entries = keys.entries();
    if (list.descending)
        std::stable_sort(entries.begin(), entries.end(),
                         [&](const SortEntry& a, const SortEntry& b) { return keys.less(b, a); });
    else
        std::stable_sort(entries.begin(), entries.end(),
                         [&](const SortEntry& a, const SortEntry& b) { return keys.less(a, b); });
    std::vector<std::size_t> order;
    order.reserve(entries.size());
    for (const SortEntry& entry : entries)
        order.push_back(entry.row);
    return order;
}

// Puts the rows in `order` in place, one cycle of the permutation at a time:
// a fresh vector of rows would cost a large allocation at every click.
void permuteRows(ReviewList& list, const std::vector<std::size_t>& order) {
    std::vector<bool> placed(order.size(), false);
    for (std::size_t start = 0; start < order.size(); ++start) {
        if (placed[start] || order[start] == start) {
            placed[start] = true;
            continue;
        }
        ReviewRow first = std::move(list.rows[start]);
        std::size_t hole = start;
        while (order[hole] != start) {
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
