#pragma once
// Stock files for the review-core tests: a shop described record by record,
// written with the sample shop's encoders.
#include <cstdint>
#include <string>

#include "review/stockfiles.h"
#include "sampleshop.h"
#include "support/tempdir.h"

namespace orvik::test {

NameRecord name(const std::string& text, char kind = 'R');

// Adds an index entry for every live product, sorted by code, and writes the
// four stock files into `dir`.
void writeStock(const TempDir& dir, sampleshop::Shop shop);

} // namespace orvik::test
