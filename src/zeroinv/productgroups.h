#pragma once
// The product groups a zero inventory can be made for, from the name file.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "stock/stockfiles.h"
#include "zeroinv/stockfailure.h"

namespace orvik {

struct GroupEntry {
    std::string name;    // the stored name, blanks trimmed at both ends
    std::int32_t number; // the record number in the name file
};

// A name record lists as a group when its kind is exactly "R" and its flag
// character does not read as a number other than 0 (only '1' to '9' do).
bool isListedGroup(const NameRecord& record);

struct GroupListResult {
    std::vector<GroupEntry> groups; // in name-file order
    std::optional<StockFileFailure> failure;
};

// Reads the whole name file in `datat`.
GroupListResult readProductGroups(std::string_view datat);

} // namespace orvik
