// Sorting the review list by a clicked column title.
#include "review/reviewsort.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <utility>

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

// The sort keys of all rows, copied into one buffer (so that comparing them
// stays in cache instead of chasing every row's strings); name columns are
// upper-cased on the way.
class SortKeys {
public:
    SortKeys(const ReviewList& list, int column) {
        const auto at = static_cast<std::size_t>(column);
        const std::array<char, 256> bytes = byteMap(isNameColumn(column));
        // One pass over the rows, which lie all over memory: the buffer
        // grows as the keys come.
        offsets_.reserve(list.rows.size() + 1);
        buffer_.reserve(list.rows.size() * 16);
        for (const ReviewRow& row : list.rows) {
            const std::string& text = row[at];
            const std::size_t offset = buffer_.size();
            offsets_.push_back(offset);
            buffer_.resize(offset + text.size());
            char* out = buffer_.data() + offset;
            for (char byte : text)
                *out++ = bytes[static_cast<unsigned char>(byte)];
        }
        offsets_.push_back(buffer_.size());
    }

    std::size_t size() const { return offsets_.size() - 1; }
    std::size_t length(std::size_t row) const { return offsets_[row + 1] - offsets_[row]; }

    // Eight bytes of the key from `from` on, as a number that orders as the
    // bytes do (unsigned); past the key's end the bytes count as zero.
    std::uint64_t chunk(std::size_t row, std::size_t from) const {
        const std::size_t end = offsets_[row + 1];
        std::uint64_t value = 0;
        for (std::size_t i = offsets_[row] + from; i < offsets_[row] + from + 8; ++i)
            value = (value << 8) | (i < end ? static_cast<unsigned char>(buffer_[i]) : 0u);
        return value;
    }

private:
    static std::array<char, 256> byteMap(bool ignoreCase) {
        std::array<char, 256> map{};
        for (std::size_t i = 0; i < map.size(); ++i) {
            const auto byte = static_cast<char>(i);
            map[i] = ignoreCase ? cp1252::toUpper(byte) : byte;
        }
        return map;
    }

    std::string buffer_;
    std::vector<std::size_t> offsets_;
};

// A row's place in the sort, eight key bytes at a time: the bytes from
// `from` on as a number, then how many of the key's bytes are left there (a
// key that ends first is the smaller; more than eight means the next eight
// bytes decide), then the row itself, which keeps equal keys in their order
// as a stable sort would. Descending keys are stored inverted, so one
// ascending sort serves both directions.
struct SortEntry {
    std::uint64_t chunk;
    std::uint32_t left;
    std::uint32_t row;

    bool operator<(const SortEntry& other) const {
        if (chunk != other.chunk)
            return chunk < other.chunk;
        if (left != other.left)
            return left < other.left;
        return row < other.row;
    }
};

constexpr std::uint32_t kMoreLeft = 9;

// Sorts entries by chunk and bytes left, keeping the order of equal ones: a
// byte at a time from the last, each pass a counting sort (passes where all
// entries share the byte are skipped; short runs go to std::sort, where the
// row settles ties).
class EntrySort {
public:
    explicit EntrySort(std::size_t size) : spare_(size) {}

    void sort(std::vector<SortEntry>& entries, std::size_t first, std::size_t last) {
        if (last - first < kShortRun) {
            std::sort(entries.begin() + static_cast<std::ptrdiff_t>(first),
                      entries.begin() + static_cast<std::ptrdiff_t>(last));
            return;
        }
        SortEntry* from = entries.data() + first;
        SortEntry* to = spare_.data() + first;
        const std::size_t count = last - first;
        if (pass(from, to, count, [](const SortEntry& e) { return e.left; }))
            std::swap(from, to);
        for (int shift = 0; shift < 64; shift += 8) {
            const auto digit = [shift](const SortEntry& e) {
                return static_cast<std::uint32_t>((e.chunk >> shift) & 0xFF);
            };
            if (pass(from, to, count, digit))
                std::swap(from, to);
        }
        if (from != entries.data() + first)
            std::copy(from, from + count, entries.data() + first);
    }

private:
    static constexpr std::size_t kShortRun = 256;

    // One stable counting pass from `from` into `to`; false when every entry
    // has the same digit and nothing was moved.
    template <typename Digit>
    static bool pass(const SortEntry* from, SortEntry* to, std::size_t count, Digit digit) {
        std::array<std::size_t, 256> place{};
        for (std::size_t i = 0; i < count; ++i)
            ++place[digit(from[i])];
        if (place[digit(from[0])] == count)
            return false;
        std::size_t total = 0;
        for (std::size_t& slot : place)
            total += std::exchange(slot, total);
        for (std::size_t i = 0; i < count; ++i)
            to[place[digit(from[i])]++] = from[i];
        return true;
    }

    std::vector<SortEntry> spare_;
};

class KeySorter {
public:
    KeySorter(const SortKeys& keys, bool descending)
        : keys_(keys), descending_(descending), sorter_(keys.size()) {}

    void sortFrom(std::vector<SortEntry>& entries, std::size_t first, std::size_t last,
                  std::size_t from) {
        for (std::size_t i = first; i < last; ++i)
            entries[i] = entry(entries[i].row, from);
        sorter_.sort(entries, first, last);
        // Keys alike in these eight bytes and longer than them go on to the
        // next eight.
        const std::uint32_t more = descending_ ? 0 : kMoreLeft;
        for (std::size_t begin = first; begin < last;) {
            std::size_t end = begin + 1;
            while (end < last && entries[end].chunk == entries[begin].chunk &&
                   entries[end].left == entries[begin].left)
                ++end;
            if (end - begin > 1 && entries[begin].left == more)
                sortFrom(entries, begin, end, from + 8);
            begin = end;
        }
    }

private:
    SortEntry entry(std::uint32_t row, std::size_t from) const {
        const std::size_t length = keys_.length(row);
        const std::size_t rest = length > from ? length - from : 0;
        std::uint64_t chunk = keys_.chunk(row, from);
        auto left = static_cast<std::uint32_t>(std::min<std::size_t>(rest, kMoreLeft));
        if (descending_) {
            chunk = ~chunk;
            left = kMoreLeft - left;
        }
        return {chunk, left, row};
    }

    const SortKeys& keys_;
    bool descending_;
    EntrySort sorter_;
};

std::vector<std::size_t> sortedOrder(const ReviewList& list) {
    const SortKeys keys(list, list.sortColumn);
    std::vector<SortEntry> entries(keys.size());
    for (std::size_t row = 0; row < entries.size(); ++row)
        entries[row].row = static_cast<std::uint32_t>(row);
    KeySorter(keys, list.descending).sortFrom(entries, 0, entries.size(), 0);
    std::vector<std::size_t> order;
    order.reserve(entries.size());
    for (const SortEntry& entry : entries)
        order.push_back(entry.row);
    return order;
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
