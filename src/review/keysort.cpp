// Eight key bytes at a time, by counting sorts.
#include "review/keysort.h"

#include <algorithm>
#include <utility>

namespace orvik {

namespace {

// A key's place in the sort, eight key bytes at a time: the bytes from
// `from` on as a number, then how many of the key's bytes are left there (a
// key that ends first is the smaller; more than eight means the next eight
// bytes decide), then the key's index, which keeps equal keys in their order
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

} // namespace

std::vector<std::size_t> stableKeyOrder(const SortKeys& keys, bool descending) {
    std::vector<SortEntry> entries(keys.size());
    for (std::size_t row = 0; row < entries.size(); ++row)
        entries[row].row = static_cast<std::uint32_t>(row);
    KeySorter(keys, descending).sortFrom(entries, 0, entries.size(), 0);
    std::vector<std::size_t> order;
    order.reserve(entries.size());
    for (const SortEntry& entry : entries)
        order.push_back(entry.row);
    return order;
}

} // namespace orvik
