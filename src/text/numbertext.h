#pragma once
// Number texts: the general form, the fixed patterns, and the two ways a
// number is read back from text.
#include <optional>
#include <string>
#include <string_view>

namespace orvik {

// General form: up to 15 significant digits, no thousands separator, no
// trailing zeros, decimal comma, leading minus ("2,5", "-0,5", "12").
// Very large or small magnitudes use the exponent form "1E+16", "1E-05".
std::string generalNumber(double value);

// One of the patterns "0", "0.00", "0.0000", "000000000", "0000000000": as many digits
// as the pattern shows at least, decimals as it shows them, halves rounded
// away from zero, decimal comma. The number is rounded as it reads with 15
// significant digits, so 1.005 with "0.00" gives "1,01".
std::string patternNumber(double value, std::string_view pattern);

// The value of a cell text: leading blanks skipped, then an optional sign,
// digits and one decimal point up to the first other character; no digits
// gives 0.
double cellNumber(std::string_view text);

// A number written with a decimal comma, blanks allowed around it
// ("2,5", " -3", "7"). Nothing but the number may stand in the text; an
// empty text or any other character gives no value.
std::optional<double> commaNumber(std::string_view text);

// The text with its first comma replaced by a point.
std::string firstCommaToPoint(std::string text);

// Rounds to `decimals` places, halves away from zero, as the value reads
// with 15 significant digits (so 2.675 to 2 places gives 2.68).
double roundHalfAway(double value, int decimals);

} // namespace orvik
