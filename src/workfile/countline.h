#pragma once
// The work file's count line: the product code in its first 13 characters,
// the counted quantity in its last 5, CR LF at its end. Read by the review,
// written by saving the list; the transfer file's lines start with the same
// code field.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvik {

inline constexpr std::size_t kCountCodeWidth = 13;
inline constexpr std::size_t kCountQuantityWidth = 5;

// The line's code field: its first 13 characters, blanks included.
std::string_view countLineCode(std::string_view line);

// The code as a line's code field: padded with blanks or cut to 13.
std::string countCodeField(std::string_view code);

// The quantity of a count line: its last five characters, any point read as
// the decimal comma. Nothing when they hold no number.
std::optional<double> lineQuantity(std::string_view line);

// A whole count line from a code and a quantity field of five characters.
std::string countLine(std::string_view code, std::string_view quantityField);

// The quantity fields (each exactly five characters) for a counted-quantity
// cell as the review list holds it. A text of up to five characters after
// trimming gives one field: the cell (without trailing blanks) padded on the
// left and cut to its last five. A longer text is spread over fields whose
// exact sum is the count, and `spreadValue` holds the number they must read
// back as. Nothing when no such fields exist (more decimals than a field
// holds, a text that is not a number, or a count so large it would take
// more than a thousand lines).
struct CountFields {
    std::vector<std::string> fields;
    std::optional<double> spreadValue;
};
std::optional<CountFields> splitCountQuantity(std::string_view countedCell);

} // namespace orvik
