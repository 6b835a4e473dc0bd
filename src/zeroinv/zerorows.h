#pragma once
// The zero rows of a zero inventory: one count line of quantity 0 for every
// product of the chosen groups that nobody counted since the cut-off.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/ownfiles.h"
#include "zeroinv/stockfailure.h"

namespace orvik {

// The 13 code bytes as stored, "    0" and CR LF.
std::string zeroRow(std::string_view storedCode);

struct ZeroRowsResult {
    std::string rows; // every row, product-file order
    std::size_t rowCount = 0;
    std::optional<StockFileFailure> failure; // then `rows` is empty
};

// Reads the product and event files in `datat`; `cutOff` is a day number.
ZeroRowsResult collectZeroRows(std::string_view datat, const std::vector<std::int32_t>& groups,
                               double cutOff);

} // namespace orvik
