#include "workfile/countline.h"

#include <algorithm>
#include <cstdint>

#include "text/fixedfield.h"
#include "text/numbertext.h"

namespace orvik {

namespace {

// Leading blanks, an optional sign, digits and trailing blanks: the whole
// number they read as. Nothing for any other text.
std::optional<double> plainWholeNumber(std::string_view text) {
    std::size_t pos = text.find_first_not_of(' ');
    if (pos == std::string_view::npos)
        return std::nullopt;
    const bool negative = text[pos] == '-';
    if (negative || text[pos] == '+')
        ++pos;
    std::int64_t value = 0;
    std::size_t digits = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos, ++digits)
        value = value * 10 + (text[pos] - '0');
    if (digits == 0 || digits > kCountQuantityWidth ||
        text.find_first_not_of(' ', pos) != std::string_view::npos)
        return std::nullopt;
    const auto whole = static_cast<double>(value);
    return negative ? -whole : whole;
}

constexpr std::size_t kMaxFields = 1000;
// Digits a double holds exactly, and what the review's general form shows.
constexpr std::size_t kMaxSignificantDigits = 15;
// A field's largest piece: "99999", or "-9999" when negative.
constexpr std::int64_t kMaxPositivePiece = 99999;
constexpr std::int64_t kMaxNegativePiece = 9999;
// ",dddd" is the most decimals five characters hold.
constexpr std::size_t kMaxDecimals = 4;

// A counted quantity as exact decimal digits: whole part and fraction part,
// each kept as an integer (the fraction in units of its last decimal).
struct ExactCount {
    bool negative = false;
    std::int64_t whole = 0;
    std::int64_t fraction = 0;
    std::size_t decimals = 0;
};

std::string withoutLeadingZeros(const std::string& digits) {
    return std::string(trimLeading(digits, '0'));
}

std::string withoutTrailingZeros(const std::string& digits) {
    return std::string(trimTrailing(digits, '0'));
}

// Reads the cell as the review reads a quantity: a point counts as the
// decimal comma. Nothing for texts the fields cannot carry exactly.
std::optional<ExactCount> exactCount(std::string_view trimmed) {
    ExactCount count;
    if (!trimmed.empty() && (trimmed.front() == '-' || trimmed.front() == '+')) {
        count.negative = trimmed.front() == '-';
        trimmed.remove_prefix(1);
    }
    std::string whole;
    std::string fraction;
    bool seenSeparator = false;
    for (char c : trimmed) {
        if (c >= '0' && c <= '9')
            (seenSeparator ? fraction : whole) += c;
        else if ((c == ',' || c == '.') && !seenSeparator)
            seenSeparator = true;
        else
            return std::nullopt;
    }
    if (whole.empty() && fraction.empty())
        return std::nullopt;
    whole = withoutLeadingZeros(whole);
    fraction = withoutTrailingZeros(fraction);
    if (fraction.size() > kMaxDecimals || whole.size() + fraction.size() > kMaxSignificantDigits)
        return std::nullopt;
    count.whole = whole.empty() ? 0 : std::stoll(whole);
    count.fraction = fraction.empty() ? 0 : std::stoll(fraction);
    count.decimals = fraction.size();
    return count;
}

// A fraction below one, in units of its last decimal: "0,25", or ",2525"
// when four decimals leave no room for the zero.
std::string fractionText(std::int64_t fraction, std::size_t decimals) {
    std::string digits = std::to_string(fraction);
    digits.insert(0, decimals - digits.size(), '0');
    digits = withoutTrailingZeros(digits);
    return (decimals < kMaxDecimals ? "0," : ",") + digits;
}

// The whole number split into pieces of at most `largest`, biggest first.
void appendWholePieces(std::int64_t whole, std::int64_t largest, bool negative,
                       std::vector<std::string>& pieces) {
    while (whole > 0) {
        const std::int64_t piece = std::min(whole, largest);
        pieces.push_back((negative ? "-" : "") + std::to_string(piece));
        whole -= piece;
    }
}

// "-0,5", "-0,25", "-,125": the sign takes the zero's place when needed.
std::string negativeFractionText(std::int64_t fraction, std::size_t decimals) {
    std::string text = fractionText(fraction, decimals);
    if (text.size() >= kCountQuantityWidth && text[0] == '0')
        text.erase(0, 1);
    return "-" + text;
}

// Four decimals leave no room for the sign, so the last decimal is taken
// from one thousandth more: -0,1234 is "-,124" and ",0006".
void appendNegativeFraction(std::int64_t fraction, std::size_t decimals,
                            std::vector<std::string>& pieces) {
    if (decimals < kMaxDecimals) {
        pieces.push_back(negativeFractionText(fraction, decimals));
        return;
    }
    const std::int64_t thousandths = fraction / 10 + 1;
    pieces.push_back(thousandths == 1000 ? "-1" : negativeFractionText(thousandths, 3));
    pieces.push_back(fractionText(10 - fraction % 10, kMaxDecimals));
}

// Pieces whose exact sum is the count: the whole part in pieces as large as a
// field holds, then the fraction.
std::vector<std::string> exactPieces(const ExactCount& count) {
    std::vector<std::string> pieces;
    if (!count.negative) {
        appendWholePieces(count.whole, kMaxPositivePiece, false, pieces);
        if (count.fraction > 0)
            pieces.push_back(fractionText(count.fraction, count.decimals));
    } else {
        appendWholePieces(count.whole, kMaxNegativePiece, true, pieces);
        if (count.fraction > 0)
            appendNegativeFraction(count.fraction, count.decimals, pieces);
    }
    if (pieces.empty())
        pieces.push_back("0");
    return pieces;
}

std::optional<double> cellValue(std::string_view trimmed) {
    std::string text(trimmed);
    std::replace(text.begin(), text.end(), '.', ',');
    return commaNumber(text);
}

} // namespace

std::string_view countLineCode(std::string_view line) {
    return line.substr(0, kCountCodeWidth);
}

std::string countCodeField(std::string_view code) {
    return leftField(code, kCountCodeWidth);
}

std::optional<double> lineQuantity(std::string_view line) {
    const std::string_view last =
        line.substr(line.size() - std::min(line.size(), kCountQuantityWidth));
    if (auto whole = plainWholeNumber(last))
        return whole;
    std::string field(line.substr(line.size() - std::min(line.size(), kCountQuantityWidth)));
    std::replace(field.begin(), field.end(), '.', ',');
    return commaNumber(trimBlanks(field));
}

std::string countLine(std::string_view code, std::string_view quantityField) {
    return countCodeField(code) + std::string(quantityField) + "\r\n";
}

std::optional<CountFields> splitCountQuantity(std::string_view countedCell) {
    const std::string_view trimmed = trimBlanks(countedCell);
    // Trailing blanks would push digits out of the field; cells hold none.
    if (trimmed.size() <= kCountQuantityWidth)
        return CountFields{{rightField(trimTrailingBlanks(countedCell), kCountQuantityWidth)},
                           std::nullopt};
    const std::optional<ExactCount> count = exactCount(trimmed);
    const std::optional<double> expected = cellValue(trimmed);
    if (!count || !expected)
        return std::nullopt;
    const std::int64_t largestPiece = count->negative ? kMaxNegativePiece : kMaxPositivePiece;
    if (count->whole / largestPiece >= static_cast<std::int64_t>(kMaxFields))
        return std::nullopt;
    CountFields split;
    for (const std::string& piece : exactPieces(*count))
        split.fields.push_back(rightField(piece, kCountQuantityWidth));
    split.spreadValue = expected;
    return split;
}

} // namespace orvik
