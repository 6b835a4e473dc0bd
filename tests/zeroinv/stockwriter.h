#pragma once
// Stock files for the tests, written in the cash-register layout.
#include <filesystem>
#include <string>
#include <vector>

#include "review/stockfiles.h"

namespace orvik::test {

// A product with 5 in stock and no marker, last counted on `lastCount`.
ProductRecord stockedProduct(const std::string& code, std::int32_t group, double lastCount = 0,
                             std::int32_t newestEvent = 0);

// Writes CASSA.002, CASSA.004 and CASSA.005 into `dir`.
void writeStockFiles(const std::filesystem::path& dir, const std::vector<ProductRecord>& products,
                     const std::vector<EventRecord>& events,
                     const std::vector<NameRecord>& names = {});

} // namespace orvik::test
