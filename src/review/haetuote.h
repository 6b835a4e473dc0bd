#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace orvik {

// The record number in the product file of the product with this code, or 0
// when the product index holds no such code (or cannot be read). The index
// is opened and closed at each call.
std::int32_t haetuote(const std::string& datat, std::string_view code);

} // namespace orvik
