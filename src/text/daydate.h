#pragma once
// Dates as day numbers: days since 30 December 1899 (day 0), the fraction
// being the time of day; and the date and time patterns.
#include <string>
#include <string_view>

namespace orvik {

struct CalendarDate {
    int year = 1899;
    int month = 12;
    int day = 30;
    bool operator==(const CalendarDate&) const = default;
};

struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool operator==(const TimeOfDay&) const = default;
};

struct DateTime {
    CalendarDate date;
    TimeOfDay time;
    bool operator==(const DateTime&) const = default;
};

// Day numbers before day 0 count the fraction forwards from the day, as the
// platform's date type does: -1.5 is 29 December 1899 at 12:00. The time is
// rounded to the nearest second.
DateTime fromDayNumber(double dayNumber);
double toDayNumber(const CalendarDate& date, const TimeOfDay& time = {});

// True when the day number names a date from year 100 to year 9999, the
// range the patterns can show; anything else (NaN, infinities, huge
// numbers from a damaged file) does not.
bool isShowableDayNumber(double dayNumber);

// Patterns "yyyy-mm-dd", "dd.mm.yyyy", "yyyymmdd".
std::string formatDate(const CalendarDate& date, std::string_view pattern);
// Patterns "hh:mm:ss", "hhmmss".
std::string formatTime(const TimeOfDay& time, std::string_view pattern);

} // namespace orvik
