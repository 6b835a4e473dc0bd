#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvik {

class RecordFile;

// The record number in the product file of the product with this code, or 0
// when the product index holds no such code (or cannot be read). The index
// is opened and closed at each call.
std::int32_t haetuote(const std::string& datat, std::string_view code);

// The index key of a code: the code followed by blanks, cut to 13 characters.
std::string productIndexKey(std::string_view code);

// One halving search of an open product index over records 1 to its record
// count, comparing all 13 characters by byte. The stored record number of the
// matching entry, or nothing when the search ends without a match. Ends after
// at most log2(count) + 1 reads whatever the file holds.
std::optional<std::int32_t> searchProductIndex(const RecordFile& index, std::string_view key);

} // namespace orvik
