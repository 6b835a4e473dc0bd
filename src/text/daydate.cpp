#include "text/daydate.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace orvik {

namespace {

constexpr int kSecondsPerDay = 24 * 60 * 60;
// Day 0 (30 December 1899) counted from 1 January 1970.
constexpr std::int64_t kDayZeroFromUnixEpoch = -25569;
// Far enough for every showable date, near enough that the calendar
// arithmetic below neither overflows nor needs a wider year.
constexpr double kDayNumberLimit = 3.0e11;

// Days from 1 January 1970 in the proleptic Gregorian calendar.
std::int64_t daysFromCivil(std::int64_t year, int month, int day) {
    year -= month <= 2;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

CalendarDate civilFromDays(std::int64_t days) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2);
    return CalendarDate{static_cast<int>(year), month, day};
}

std::string twoDigits(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", value);
    return buffer;
}

std::string fourDigits(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d", value);
    return buffer;
}

// Replaces each token of the pattern by its text; other characters are kept.
template <typename Token> std::string expandPattern(std::string_view pattern, Token&& tokenText) {
    std::string text;
    std::size_t pos = 0;
    while (pos < pattern.size()) {
        std::size_t used = 0;
        std::string piece = tokenText(pattern.substr(pos), used);
        if (used == 0) {
            text += pattern[pos++];
        } else {
            text += piece;
            pos += used;
        }
    }
    return text;
}

} // namespace

DateTime fromDayNumber(double dayNumber) {
    if (!std::isfinite(dayNumber))
        return DateTime{};
    if (dayNumber > kDayNumberLimit)
        dayNumber = kDayNumberLimit;
    if (dayNumber < -kDayNumberLimit)
        dayNumber = -kDayNumberLimit;
    const double wholeDays = std::trunc(dayNumber);
    // Before day 0 the fraction still counts forwards from the day's start.
    const double fraction = std::fabs(dayNumber - wholeDays);
    auto days = static_cast<std::int64_t>(wholeDays);
    auto seconds = static_cast<std::int64_t>(std::llround(fraction * kSecondsPerDay));
    if (seconds >= kSecondsPerDay) {
        seconds -= kSecondsPerDay;
        ++days;
    }
    DateTime result;
    result.date = civilFromDays(days + kDayZeroFromUnixEpoch);
    result.time.hour = static_cast<int>(seconds / 3600);
    result.time.minute = static_cast<int>(seconds / 60 % 60);
    result.time.second = static_cast<int>(seconds % 60);
    return result;
}

double toDayNumber(const CalendarDate& date, const TimeOfDay& time) {
    // Months outside 1..12 carry into the year, as a calendar would.
    std::int64_t year = date.year;
    int month = date.month - 1;
    year += month >= 0 ? month / 12 : (month - 11) / 12;
    month = ((month % 12) + 12) % 12 + 1;
    const std::int64_t days = daysFromCivil(year, month, date.day) - kDayZeroFromUnixEpoch;
    const double fraction =
        (time.hour * 3600.0 + time.minute * 60.0 + time.second) / kSecondsPerDay;
    return days < 0 ? static_cast<double>(days) - fraction : static_cast<double>(days) + fraction;
}

bool isShowableDayNumber(double dayNumber) {
    if (!std::isfinite(dayNumber) || std::fabs(dayNumber) > 4.0e6)
        return false;
    const int year = fromDayNumber(dayNumber).date.year;
    return year >= 100 && year <= 9999;
}

std::string formatDate(const CalendarDate& date, std::string_view pattern) {
    return expandPattern(pattern, [&date](std::string_view rest, std::size_t& used) {
        if (rest.starts_with("yyyy")) {
            used = 4;
            return fourDigits(date.year);
        }
        if (rest.starts_with("mm")) {
            used = 2;
            return twoDigits(date.month);
        }
        if (rest.starts_with("dd")) {
            used = 2;
            return twoDigits(date.day);
        }
        return std::string();
    });
}

std::string formatTime(const TimeOfDay& time, std::string_view pattern) {
    return expandPattern(pattern, [&time](std::string_view rest, std::size_t& used) {
        if (rest.starts_with("hh")) {
            used = 2;
            return twoDigits(time.hour);
        }
        if (rest.starts_with("mm")) {
            used = 2;
            return twoDigits(time.minute);
        }
        if (rest.starts_with("ss")) {
            used = 2;
            return twoDigits(time.second);
        }
        return std::string();
    });
}

} // namespace orvik
