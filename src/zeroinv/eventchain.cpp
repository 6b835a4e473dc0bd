#include "zeroinv/eventchain.h"

#include "common/codepage.h"

namespace orvik {

EventChain::EventChain(const RecordFile& events)
    : events_(events), walked_(static_cast<std::size_t>(events.recordCount()) + 1, 0) {}

ChainVerdict EventChain::judge(std::int32_t newestEvent, double cutOff) {
    ChainVerdict verdict = ChainVerdict::KeepsRow;
    std::int32_t k = newestEvent;
    while (k > 0 && k <= events_.recordCount() && !alreadyWalked(k)) {
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
    forgetWalk();
    return verdict;
}

bool EventChain::alreadyWalked(std::int32_t recordNumber) {
    auto& mark = walked_[static_cast<std::size_t>(recordNumber)];
    if (mark)
        return true;
    mark = 1;
    walkedList_.push_back(recordNumber);
    return false;
}

void EventChain::forgetWalk() {
    for (std::int32_t n : walkedList_)
        walked_[static_cast<std::size_t>(n)] = 0;
    walkedList_.clear();
}

} // namespace orvik
