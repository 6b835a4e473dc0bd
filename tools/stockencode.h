#pragma once
// Stock-file records as bytes: the inverse of the decoders, for making shops
// in tests, benchmarks and the demo. Fields this system does not use are
// written as blanks (text) or zero bytes (binary).
#include <string>

#include "stock/stockfiles.h"

namespace orvik::sampleshop {

std::string encodeProduct(const ProductRecord& product); // 356 bytes
std::string encodeEvent(const EventRecord& event);       // 104 bytes
std::string encodeName(const NameRecord& name);          // 43 bytes
std::string encodeIndex(const IndexRecord& entry);       // 18 bytes

} // namespace orvik::sampleshop
