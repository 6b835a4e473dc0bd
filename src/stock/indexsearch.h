#pragma once
// The halving search of the product index, over records however they are
// read: from the open file one at a time, or from a copy held in memory.
#include <cstdint>
#include <optional>
#include <string_view>

#include "stock/stockfiles.h"

namespace orvik {

// Searches records 1 to `count` for the 13-character `key`, comparing all 13
// characters by byte. `recordAt(n)` gives record n, or nothing when it cannot
// be read, which ends the search as a miss. Ends after at most log2(count) + 1
// records whatever they hold, sorted or not.
template <typename RecordAt>
std::optional<std::int32_t> halvingSearch(std::int64_t count, std::string_view key,
                                          RecordAt&& recordAt) {
    std::int64_t low = 1;
    std::int64_t high = count;
    while (high >= low) {
        const std::int64_t middle = low + (high - low) / 2;
        const std::optional<std::string_view> record = recordAt(middle);
        if (!record)
            return std::nullopt;
        const int order = record->substr(0, 13).compare(key);
        if (order == 0)
            return decodeIndex(*record).productRecord;
        if (order < 0)
            low = middle + 1;
        else
            high = middle - 1;
    }
    return std::nullopt;
}

} // namespace orvik
