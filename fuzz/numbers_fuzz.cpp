// The shared helpers: number texts read back as the numbers they show and
// keep their patterns' widths, texts read as numbers by the plain rule, day
// numbers walk the calendar one day at a time, fixed-width fields have their
// width, and every code-page byte survives a round trip through UTF-8.
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "support/fuzzsupport.h"
#include "text/codepage.h"
#include "text/daydate.h"
#include "text/fixedfield.h"
#include "text/numbertext.h"

namespace {

using namespace orvik;
using namespace orvik::fuzz;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Close enough for a number read back from 15 significant digits.
bool near(double a, double b, double allowed) {
    return std::fabs(a - b) <= allowed + 1e-14 * std::fabs(b);
}

// The value of text of the form [sign] digits [separator digits], read with
// the C library; nothing when it is not of that form.
std::optional<double> plainNumber(std::string_view text, char separator) {
    std::string number;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        number += text[i++];
    bool digits = false;
    bool separated = false;
    for (; i < text.size(); ++i) {
        if (isDigit(text[i])) {
            digits = true;
            number += text[i];
        } else if (text[i] == separator && !separated) {
            separated = true;
            number += '.';
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    return std::strtod(number.c_str(), nullptr);
}

void checkTextsAsNumbers(std::string_view text) {
    // A cell: leading blanks, then the longest number-like beginning.
    std::string_view cell = text;
    while (!cell.empty() && cell.front() == ' ')
        cell.remove_prefix(1);
    std::size_t end = 0;
    if (end < cell.size() && (cell[end] == '-' || cell[end] == '+'))
        ++end;
    bool point = false;
    while (end < cell.size() && (isDigit(cell[end]) || (cell[end] == '.' && !point))) {
        point = point || cell[end] == '.';
        ++end;
    }
    const double expectedCell = plainNumber(cell.substr(0, end), '.').value_or(0.0);
    expect(cellNumber(text) == expectedCell, "a cell reads as its leading number");

    const std::optional<double> expectedComma = plainNumber(stripBlanks(text), ',');
    const std::optional<double> comma = commaNumber(text);
    expect(comma.has_value() == expectedComma.has_value() && (!comma || *comma == *expectedComma),
           "a comma number is the whole text between blanks");
}

void checkNumberTexts(double value) {
    if (!std::isfinite(value))
        return;
    const std::string general = generalNumber(value);
    expect(general.find('.') == std::string::npos, "the general form has no point");
    if (general.find('E') == std::string::npos) {
        const std::optional<double> back = commaNumber(general);
        expect(back.has_value() && near(*back, value, 0), "the general form reads back");
        expect(generalNumber(*back) == general, "the general form of its own value is itself");
        const std::size_t comma = general.find(',');
        expect(comma == std::string::npos || general.back() != '0', "no trailing zeros");
    }
    struct Pattern {
        const char* text;
        std::size_t integerDigits;
        std::size_t decimals;
        double allowed;
    };
    for (const Pattern& pattern :
         {Pattern{"0", 1, 0, 0.5}, Pattern{"0.00", 1, 2, 0.005}, Pattern{"000000000", 9, 0, 0.5},
          Pattern{"0000000000", 10, 0, 0.5}}) {
        const std::string shown = patternNumber(value, pattern.text);
        std::string_view digits = shown;
        if (!digits.empty() && digits.front() == '-')
            digits.remove_prefix(1);
        const std::size_t comma = digits.find(',');
        const std::size_t integerDigits = comma == std::string_view::npos ? digits.size() : comma;
        expect(integerDigits >= pattern.integerDigits, "a pattern shows its digits at least");
        expect(pattern.decimals == 0 ? comma == std::string_view::npos
                                     : digits.size() - comma - 1 == pattern.decimals,
               "a pattern shows its decimals exactly");
        if (std::fabs(value) < 1e15) {
            const std::optional<double> back = commaNumber(shown);
            expect(back.has_value() && near(*back, value, pattern.allowed),
                   "a pattern's text is the value rounded");
        }
    }
    for (int decimals = 0; decimals <= 4; ++decimals)
        if (std::fabs(value) < 1e15)
            expect(near(roundHalfAway(value, decimals), value, 0.5 * std::pow(10.0, -decimals)),
                   "rounding moves a value by half a unit at most");
}

bool isLeap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

CalendarDate nextDay(CalendarDate date) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const int length = date.month == 2 && isLeap(date.year) ? 29 : kDays[date.month - 1];
    if (++date.day > length) {
        date.day = 1;
        if (++date.month > 12) {
            date.month = 1;
            ++date.year;
        }
    }
    return date;
}

void checkDays(std::int32_t dayNumber, int secondsField) {
    const double day = static_cast<double>(dayNumber % 3000000);
    if (!isShowableDayNumber(day) || !isShowableDayNumber(day + 1))
        return;
    const CalendarDate date = fromDayNumber(day).date;
    expect(fromDayNumber(day + 1).date == nextDay(date), "the next day number is the next day");
    expect(toDayNumber(date) == day, "a date's day number is the day it came from");
    if (day == 0)
        expect(date == CalendarDate{1899, 12, 30}, "day 0 is 30 December 1899");

    // Before day 0 the fraction counts forwards from the day's start too:
    // -1.5 is 29 December 1899 at noon.
    const int seconds = secondsField % 86400;
    const double fraction = seconds / 86400.0;
    const DateTime at = fromDayNumber(day < 0 ? day - fraction : day + fraction);
    expect(at.date == date && at.time.hour * 3600 + at.time.minute * 60 + at.time.second == seconds,
           "the fraction is the time of day");
    expect(formatTime(at.time, "hh:mm:ss").size() == 8, "a time is eight characters");
    if (date.year >= 1000) {
        const std::string iso = formatDate(date, "yyyy-mm-dd");
        expect(iso.size() == 10 && iso[4] == '-' && iso[7] == '-', "yyyy-mm-dd has its width");
        expect(formatDate(date, "dd.mm.yyyy").size() == 10, "dd.mm.yyyy has its width");
        expect(formatDate(date, "yyyymmdd") == iso.substr(0, 4) + iso.substr(5, 2) + iso.substr(8),
               "yyyymmdd is the same date");
    }
}

void checkCodePage(std::string_view bytes) {
    const std::string utf8 = cp1252::toUtf8(bytes);
    expect(cp1252::fromUtf8(utf8) == bytes, "every byte survives a round trip");
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x80 || byte >= 0xA0)
            expect(cp1252::toUnicode(byte) == byte,
                   "outside 0x80 to 0x9F a byte is its code point");
    }
    // Arbitrary input read as UTF-8: one byte at most per input byte, and
    // reading it back again changes nothing.
    const std::string decoded = cp1252::fromUtf8(bytes);
    expect(decoded.size() <= bytes.size(), "no more characters than bytes");
    expect(cp1252::fromUtf8(cp1252::toUtf8(decoded)) == decoded, "decoded text is stable");
    const std::string upper = cp1252::toUpper(bytes);
    expect(upper.size() == bytes.size() && cp1252::toUpper(upper) == upper,
           "upper case keeps the length and is stable");
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] >= 'a' && bytes[i] <= 'z')
            expect(upper[i] == bytes[i] - 'a' + 'A', "a to z become A to Z");
}

void checkFields(std::string_view text, std::size_t width) {
    const std::string left = leftField(text, width);
    const std::string right = rightField(text, width);
    expect(left.size() == width && right.size() == width, "a field has its width");
    if (text.size() >= width) {
        expect(left == text.substr(0, width), "a left field keeps the first characters");
        expect(right == text.substr(text.size() - width), "a right field keeps the last");
    } else {
        expect(left == std::string(text) + std::string(width - text.size(), ' '),
               "a left field is padded on the right");
        expect(right == std::string(width - text.size(), ' ') + std::string(text),
               "a right field is padded on the left");
    }
    expect(stripBlanks(text) == trimBlanks(text), "trimming removes blanks at both ends");
}

} // namespace

// Input: eight bytes of a double, four of a day number, two of seconds, one
// of a field width, then a text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (bytes.size() < 15)
        bytes.resize(15, '\0');
    const std::string_view view(bytes);
    const std::string_view text = view.substr(15, 64);
    checkNumberTexts(leDouble(view, 0));
    const int secondsField =
        (static_cast<unsigned char>(view[12]) | static_cast<unsigned char>(view[13]) << 8) * 2;
    checkDays(le32(view, 8), secondsField);
    checkFields(text, static_cast<unsigned char>(view[14]) % 40);
    checkTextsAsNumbers(text);
    checkNumberTexts(cellNumber(text));
    checkCodePage(view.substr(15));
    return 0;
}
