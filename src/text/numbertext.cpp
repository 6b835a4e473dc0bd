#include "text/numbertext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

namespace orvik {

namespace {

// A finite number as it reads with 15 significant digits:
// digits[0].digits[1..] times ten to `exponent`. Zero has the digits "0".
// Kept as text so that rounding works on the digits a reader sees, not on
// the binary value behind them (1.005 is 1.00499999... in binary).
struct Decimal {
    bool negative = false;
    std::string digits = "0";
    int exponent = 0;

    bool isZero() const { return digits.find_first_not_of('0') == std::string::npos; }
    // The digit worth ten to `power`.
    char digitAt(int power) const {
        const int index = exponent - power;
        if (index < 0 || index >= static_cast<int>(digits.size()))
            return '0';
        return digits[static_cast<std::size_t>(index)];
    }
};

constexpr int kSignificantDigits = 15;

// A value that is exactly the double nearest some n / 10^6 with |n| below
// 10^15: those are the 15 significant digits of it (any decimal of at most
// 15 digits survives the trip through a double), so the digits come from the
// integer without rendering the double. Stock values, prices and their keys
// are such numbers; false for anything else.
bool exactMillionths(double value, Decimal& decimal) {
    constexpr double kScale = 1e6;
    constexpr double kLimit = 1e15;
    const double scaled = value * kScale;
    if (!(std::fabs(scaled) < kLimit) || scaled != std::trunc(scaled) || scaled / kScale != value)
        return false;
    const auto whole = static_cast<std::int64_t>(scaled);
    if (whole == 0)
        return true; // the zero Decimal it was given
    char buffer[24];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, whole < 0 ? -whole : whole).ptr;
    const auto length = static_cast<int>(end - buffer);
    decimal.negative = whole < 0;
    decimal.digits.assign(buffer, end);
    decimal.digits.resize(kSignificantDigits, '0');
    decimal.exponent = length - 1 - 6;
    return true;
}

// Locale-free on purpose: the window toolkit switches the C locale to the
// user's, which would turn the point of printf and strtod into a comma.
Decimal toDecimal(double value) {
    if (Decimal exact; exactMillionths(value, exact))
        return exact;
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                      std::chars_format::scientific, kSignificantDigits - 1);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    Decimal decimal;
    std::size_t pos = 0;
    if (text[pos] == '-') {
        decimal.negative = true;
        ++pos;
    }
    const std::size_t e = text.find('e');
    decimal.digits.clear();
    for (std::size_t i = pos; i < e; ++i)
        if (text[i] != '.')
            decimal.digits += text[i];
    std::size_t exponentStart = e + 1;
    if (text[exponentStart] == '+')
        ++exponentStart;
    std::from_chars(text.data() + exponentStart, text.data() + text.size(), decimal.exponent);
    if (decimal.isZero()) {
        decimal.digits = "0";
        decimal.exponent = 0;
        decimal.negative = false;
    }
    return decimal;
}

void stripTrailingZeros(Decimal& decimal) {
    const std::size_t last = decimal.digits.find_last_not_of('0');
    decimal.digits.resize(last == std::string::npos ? 1 : last + 1);
}

Decimal zero() {
    return Decimal{};
}

// Rounds to `decimals` places (negative: to tens, hundreds...), halves away
// from zero.
Decimal roundDecimal(Decimal decimal, int decimals) {
    if (decimal.isZero())
        return zero();
    const long keep = static_cast<long>(decimal.exponent) + 1 + decimals;
    if (keep >= static_cast<long>(decimal.digits.size()))
        return decimal;
    if (keep < 0)
        return zero();
    const bool up = decimal.digits[static_cast<std::size_t>(keep)] >= '5';
    decimal.digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        std::size_t i = decimal.digits.size();
        while (i > 0 && decimal.digits[i - 1] == '9')
            decimal.digits[--i] = '0';
        if (i == 0) {
            decimal.digits.insert(decimal.digits.begin(), '1');
            ++decimal.exponent;
        } else {
            ++decimal.digits[i - 1];
        }
    }
    if (decimal.digits.empty() || decimal.isZero())
        return zero();
    return decimal;
}

std::string fixedText(const Decimal& decimal, int minIntegerDigits, int decimals) {
    std::string integer;
    for (int power = decimal.exponent; power >= 0; --power)
        integer += decimal.digitAt(power);
    if (static_cast<int>(integer.size()) < minIntegerDigits)
        integer.insert(0, static_cast<std::size_t>(minIntegerDigits) - integer.size(), '0');
    std::string text = integer;
    if (decimals > 0) {
        text += ',';
        for (int power = -1; power >= -decimals; --power)
            text += decimal.digitAt(power);
    }
    if (decimal.negative && !decimal.isZero())
        text.insert(text.begin(), '-');
    return text;
}

std::string exponentText(const Decimal& decimal) {
    std::string text = decimal.negative ? "-" : "";
    text += decimal.digits[0];
    if (decimal.digits.size() > 1) {
        text += ',';
        text.append(decimal.digits, 1);
    }
    const int magnitude = std::abs(decimal.exponent);
    text += decimal.exponent < 0 ? "E-" : "E+";
    if (magnitude < 10)
        text += '0';
    text += std::to_string(magnitude);
    return text;
}

// NaN and infinities cannot come from the files; should one arise from a
// damaged value, it is shown for what it is rather than as a number.
std::string nonFiniteText(double value) {
    if (std::isnan(value))
        return "NaN";
    return value < 0 ? "-Inf" : "Inf";
}

double parseDecimal(bool negative, const std::string& integerDigits,
                    const std::string& fractionDigits) {
    std::string text = integerDigits.empty() ? "0" : integerDigits;
    if (!fractionDigits.empty())
        text += '.' + fractionDigits;
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        const bool huge = integerDigits.find_first_not_of('0') != std::string::npos;
        value = huge ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::string generalNumber(double value) {
    if (!std::isfinite(value))
        return nonFiniteText(value);
    Decimal decimal = toDecimal(value);
    if (decimal.isZero())
        return "0";
    stripTrailingZeros(decimal);
    if (decimal.exponent >= kSignificantDigits || decimal.exponent < -4)
        return exponentText(decimal);
    const int decimals =
        std::max(0, static_cast<int>(decimal.digits.size()) - 1 - decimal.exponent);
    return fixedText(decimal, 1, decimals);
}

std::string patternNumber(double value, std::string_view pattern) {
    if (!std::isfinite(value))
        return nonFiniteText(value);
    const std::size_t point = pattern.find('.');
    const std::string_view integerPart = pattern.substr(0, point);
    const std::string_view fractionPart =
        point == std::string_view::npos ? std::string_view() : pattern.substr(point + 1);
    const int minIntegerDigits =
        static_cast<int>(std::count(integerPart.begin(), integerPart.end(), '0'));
    const int decimals =
        static_cast<int>(std::count(fractionPart.begin(), fractionPart.end(), '0'));
    const Decimal rounded = roundDecimal(toDecimal(value), decimals);
    return fixedText(rounded, minIntegerDigits, decimals);
}

double cellNumber(std::string_view text) {
    std::size_t pos = text.find_first_not_of(' ');
    if (pos == std::string_view::npos)
        return 0;
    bool negative = false;
    if (text[pos] == '-' || text[pos] == '+') {
        negative = text[pos] == '-';
        ++pos;
    }
    std::string integerDigits;
    std::string fractionDigits;
    bool seenPoint = false;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (isDigit(c)) {
            (seenPoint ? fractionDigits : integerDigits) += c;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (integerDigits.empty() && fractionDigits.empty())
        return 0;
    return parseDecimal(negative, integerDigits, fractionDigits);
}

std::optional<double> commaNumber(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return std::nullopt;
    const std::size_t last = text.find_last_not_of(' ');
    std::string_view number = text.substr(first, last - first + 1);
    bool negative = false;
    if (number.front() == '-' || number.front() == '+') {
        negative = number.front() == '-';
        number.remove_prefix(1);
    }
    std::string integerDigits;
    std::string fractionDigits;
    bool seenComma = false;
    for (char c : number) {
        if (isDigit(c))
            (seenComma ? fractionDigits : integerDigits) += c;
        else if (c == ',' && !seenComma)
            seenComma = true;
        else
            return std::nullopt;
    }
    if (integerDigits.empty() && fractionDigits.empty())
        return std::nullopt;
    return parseDecimal(negative, integerDigits, fractionDigits);
}

std::string firstCommaToPoint(std::string text) {
    const std::size_t comma = text.find(',');
    if (comma != std::string::npos)
        text[comma] = '.';
    return text;
}

double roundHalfAway(double value, int decimals) {
    if (!std::isfinite(value))
        return value;
    const Decimal rounded = roundDecimal(toDecimal(value), decimals);
    if (rounded.isZero())
        return 0.0;
    std::string text =
        rounded.digits + "e" +
        std::to_string(rounded.exponent - static_cast<int>(rounded.digits.size()) + 1);
    double result = 0;
    std::from_chars(text.data(), text.data() + text.size(), result);
    return rounded.negative ? -result : result;
}

} // namespace orvik
