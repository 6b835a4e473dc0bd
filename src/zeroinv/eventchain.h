#pragma once
// The walk along a product's event chain, newest first, that decides
// whether an "H" event after the cut-off takes the product off the zero rows.
#include <cstdint>
#include <string>
#include <unordered_set>

#include "stock/stockfiles.h"
#include "zeroinv/eventblocks.h"

namespace orvik {

enum class ChainVerdict { KeepsRow, ClearsRow, ReadFailed };

class EventChain {
public:
    // `events` must stay open while this lives.
    explicit EventChain(const RecordFile& events);

    // Walks from `newestEvent`: a record with no older link, or dated on or
    // before the cut-off, ends the walk before its kind is looked at, so the
    // oldest record of a chain never clears the row. A link outside the file
    // or back into this chain ends the walk as well.
    ChainVerdict judge(std::int32_t newestEvent, double cutOff);

private:
    EventBlocks events_;
    // The records of the chain being walked, so that memory follows the
    // records visited, never the size of the event file.
    std::unordered_set<std::int32_t> walked_;
};

} // namespace orvik
