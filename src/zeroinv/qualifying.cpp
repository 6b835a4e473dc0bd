#include "zeroinv/qualifying.h"

namespace orvik {

ChosenGroups::ChosenGroups(const std::vector<std::int32_t>& numbers)
    : numbers_(numbers.begin(), numbers.end()) {}

bool isZeroCandidate(const ProductRecord& product, const ChosenGroups& groups, double cutOff) {
    if (!groups.contains(product.group))
        return false;
    // Codes starting with byte 0, 1 or 2 mark empty or deleted records.
    const bool realCode = !product.code.empty() && static_cast<unsigned char>(product.code[0]) > 2;
    return realCode && product.stock.scaled != 0 && product.marker != 'E' &&
           product.lastCount <= cutOff;
}

} // namespace orvik
