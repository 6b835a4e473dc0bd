#pragma once
// Fixed-width text fields and blank trimming. Widths count bytes, which are
// characters in the 8-bit code page.
#include <cstddef>
#include <string>
#include <string_view>

namespace orvik {

// The text followed by blanks, cut to its first `width` characters.
std::string leftField(std::string_view text, std::size_t width);

// `width` blanks followed by the text, cut to its last `width` characters.
std::string rightField(std::string_view text, std::size_t width);

// The text with blanks in front up to `width` characters; a longer text is
// kept whole. For numbers, whose leading digits or sign must never be lost.
std::string rightAligned(std::string_view text, std::size_t width);

// Only the blank (0x20) counts as white space here, as in the files.
std::string_view trimBlanks(std::string_view text);
std::string_view trimLeadingBlanks(std::string_view text);
std::string_view trimTrailingBlanks(std::string_view text);
// The same for any one character: `text` without its leading (trailing) `c`s.
std::string_view trimLeading(std::string_view text, char c);
std::string_view trimTrailing(std::string_view text, char c);

} // namespace orvik
