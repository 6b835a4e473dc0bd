#include "zeroinv/eventblocks.h"

namespace orvik {

EventBlocks::EventBlocks(const RecordFile& events) : events_(events), slots_(kSlots) {}

std::optional<std::string_view> EventBlocks::record(std::int64_t n) {
    const std::int64_t block = (n - 1) / kRecordsPerBlock;
    Slot& slot = slots_[static_cast<std::size_t>(block) % kSlots];
    if (slot.block != block) {
        slot.block = -1;
        if (!events_.readRange(block * kRecordsPerBlock + 1, kRecordsPerBlock, slot.bytes))
            return std::nullopt;
        slot.block = block;
    }
    const std::size_t at =
        static_cast<std::size_t>((n - 1) % kRecordsPerBlock) * kEventRecordLength;
    if (at + kEventRecordLength > slot.bytes.size())
        return std::nullopt;
    return std::string_view(slot.bytes).substr(at, kEventRecordLength);
}

} // namespace orvik
