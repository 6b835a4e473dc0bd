#include "zeroinv/eventchain.h"

#include "text/codepage.h"

namespace orvik {

EventChain::EventChain(const RecordFile& events) : events_(events) {}

ChainVerdict EventChain::judge(std::int32_t newestEvent, double cutOff) {
    ChainVerdict verdict = ChainVerdict::KeepsRow;
    std::int32_t k = newestEvent;
    while (k > 0 && k <= events_.recordCount() && walked_.insert(k).second) {
        const std::optional<std::string_view> record = events_.record(k);
        if (!record) {
            verdict = ChainVerdict::ReadFailed;
            break;
        }
        const EventRecord event = decodeEvent(*record);
        if (event.olderEvent <= 0 || event.date <= cutOff)
            break;
        // Once cleared the row stays cleared, so the rest of the chain
        // cannot change the outcome.
        if (cp1252::toUpper(event.kind) == 'H') {
            verdict = ChainVerdict::ClearsRow;
            break;
        }
        k = event.olderEvent;
    }
    walked_.clear();
    return verdict;
}

} // namespace orvik
