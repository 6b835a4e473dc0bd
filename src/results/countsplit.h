#pragma once
// The quantity fields that carry one row's counted quantity into the work
// file. A count line holds five characters of quantity; a longer count is
// spread over several lines of the same product, which the next review adds
// up again, so no digit is lost.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvik {

inline constexpr std::size_t kCountQuantityWidth = 5;

// The quantity fields (each exactly five characters) for the counted-quantity
// cell as the list holds it. A text of up to five characters after trimming
// gives one field: the cell (without trailing blanks) padded on the left and
// cut to its last five. A longer text gives the fields whose lines, read back and merged by the
// review, show the same number. Nothing when no such fields exist (more
// decimals than a field holds, a text that is not a number, or a count so
// large it would take more than a thousand lines).
std::optional<std::vector<std::string>> countQuantityFields(std::string_view countedCell);

} // namespace orvik
