#pragma once
// Event records read a block at a time and kept for the run: a chain's
// records usually lie near each other, and one read per record would cost a
// system call each.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "stock/stockfiles.h"

namespace orvik {

class EventBlocks {
public:
    // `events` must stay open while this lives.
    explicit EventBlocks(const RecordFile& events);

    std::int64_t recordCount() const { return events_.recordCount(); }

    // Record n (1 to recordCount()); none when the read fails. The view
    // lasts until the next call.
    std::optional<std::string_view> record(std::int64_t n);

private:
    static constexpr std::int64_t kRecordsPerBlock = 64;
    static constexpr std::size_t kSlots = 256; // about 1.7 MB at most

    struct Slot {
        std::int64_t block = -1; // none yet
        std::string bytes;
    };

    const RecordFile& events_;
    std::vector<Slot> slots_;
};

} // namespace orvik
