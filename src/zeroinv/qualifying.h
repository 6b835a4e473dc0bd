#pragma once
// Which products of the chosen groups are candidates for a zero row, before
// their events are looked at.
#include <cstdint>
#include <unordered_set>
#include <vector>

#include "stock/stockfiles.h"

namespace orvik {

// The chosen group numbers as a set: membership is all that "the first
// entry with this number" ever decides.
class ChosenGroups {
public:
    explicit ChosenGroups(const std::vector<std::int32_t>& numbers);
    bool contains(std::int32_t group) const { return numbers_.contains(group); }
    bool empty() const { return numbers_.empty(); }

private:
    std::unordered_set<std::int32_t> numbers_;
};

// In a chosen group, a real code (first byte above 2), stock not 0, not
// marked "E" (exactly), and last counted on or before the cut-off.
bool isZeroCandidate(const ProductRecord& product, const ChosenGroups& groups, double cutOff);

} // namespace orvik
