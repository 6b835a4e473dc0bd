#pragma once
// Stock files for the tests, written in the cash-register layout with the
// sample shop's encoders: record by record, or a whole shop.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "sampleshop.h"
#include "stock/stockfiles.h"
#include "support/tempdir.h"

namespace orvik::test {

// A product with 5 in stock and no marker, last counted on `lastCount`.
ProductRecord stockedProduct(const std::string& code, std::int32_t group, double lastCount = 0,
                             std::int32_t newestEvent = 0);

// Writes CASSA.002, CASSA.004 and CASSA.005 into `dir`.
void writeStockFiles(const std::filesystem::path& dir, const std::vector<ProductRecord>& products,
                     const std::vector<EventRecord>& events,
                     const std::vector<NameRecord>& names = {});

NameRecord name(const std::string& text, char kind = 'R');

// Adds an index entry for every live product, sorted by code, and writes the
// four stock files into `dir`.
void writeStock(const TempDir& dir, sampleshop::Shop shop);

} // namespace orvik::test
