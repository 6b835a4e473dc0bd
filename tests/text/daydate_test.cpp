#include "text/daydate.h"

#include <gtest/gtest.h>
#include <limits>

namespace orvik {
namespace {

DateTime at(int y, int m, int d, int hh = 0, int mm = 0, int ss = 0) {
    return DateTime{{y, m, d}, {hh, mm, ss}};
}

TEST(DayNumber, KnownDaysBothWays) {
    const std::pair<double, CalendarDate> known[] = {
        {0, {1899, 12, 30}},    {1, {1899, 12, 31}},       {2, {1900, 1, 1}},
        {60, {1900, 2, 28}},    {61, {1900, 3, 1}},        {36526, {2000, 1, 1}},
        {36585, {2000, 2, 29}}, {41226, {2012, 11, 13}},   {-1, {1899, 12, 29}},
        {-693593, {1, 1, 1}},   {2958465, {9999, 12, 31}},
    };
    for (const auto& [number, date] : known) {
        EXPECT_EQ(fromDayNumber(number).date, date) << number;
        EXPECT_EQ(toDayNumber(date), number) << date.year << '-' << date.month << '-' << date.day;
    }
}

TEST(DayNumber, LeapYearsFollowTheGregorianRule) {
    auto daysInFebruary = [](int year) {
        return toDayNumber({year, 3, 1}) - toDayNumber({year, 2, 1});
    };
    EXPECT_EQ(daysInFebruary(1900), 28);
    EXPECT_EQ(daysInFebruary(2000), 29);
    EXPECT_EQ(daysInFebruary(2012), 29);
    EXPECT_EQ(daysInFebruary(2013), 28);
    EXPECT_EQ(daysInFebruary(2100), 28);
}

TEST(DayNumber, FractionIsTheTimeRoundedToTheSecond) {
    EXPECT_EQ(fromDayNumber(0.25), at(1899, 12, 30, 6));
    EXPECT_EQ(fromDayNumber(41226 + (8 * 3600 + 15 * 60 + 2) / 86400.0),
              at(2012, 11, 13, 8, 15, 2));
    EXPECT_EQ(fromDayNumber(1 + 0.4 / 86400), at(1899, 12, 31, 0, 0, 0));
    EXPECT_EQ(fromDayNumber(1 + 0.6 / 86400), at(1899, 12, 31, 0, 0, 1));
    EXPECT_EQ(fromDayNumber(1.9999999), at(1900, 1, 1)); // 23:59:59.99 rolls over
    const double evening = toDayNumber({2012, 11, 13}, {23, 59, 59});
    EXPECT_EQ(fromDayNumber(evening), at(2012, 11, 13, 23, 59, 59));
}

TEST(DayNumber, BeforeDayZeroTheFractionCountsForward) {
    EXPECT_EQ(fromDayNumber(-1.5), at(1899, 12, 29, 12));
    EXPECT_EQ(fromDayNumber(-0.5), at(1899, 12, 30, 12));
    EXPECT_EQ(fromDayNumber(-2.25), at(1899, 12, 28, 6));
    EXPECT_EQ(toDayNumber({1899, 12, 29}, {12, 0, 0}), -1.5);
    EXPECT_EQ(fromDayNumber(-1.9999999), at(1899, 12, 30)); // the day after the 29th
}

TEST(DayNumber, ShowableRangeIsYear100To9999) {
    const double first = toDayNumber({100, 1, 1});
    const double last = toDayNumber({9999, 12, 31}, {23, 59, 59});
    EXPECT_TRUE(isShowableDayNumber(0));
    EXPECT_TRUE(isShowableDayNumber(first));
    EXPECT_FALSE(isShowableDayNumber(first - 1));
    EXPECT_TRUE(isShowableDayNumber(last));
    EXPECT_FALSE(isShowableDayNumber(last + 1));
    EXPECT_FALSE(isShowableDayNumber(1e300));
    EXPECT_FALSE(isShowableDayNumber(-1e300));
    EXPECT_FALSE(isShowableDayNumber(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(isShowableDayNumber(std::numeric_limits<double>::infinity()));
    fromDayNumber(1e308); // out of range must not crash
    fromDayNumber(-std::numeric_limits<double>::infinity());
}

TEST(DayNumber, PatternsWriteZeroPaddedFields) {
    const CalendarDate date{2012, 11, 3};
    EXPECT_EQ(formatDate(date, "yyyy-mm-dd"), "2012-11-03");
    EXPECT_EQ(formatDate(date, "dd.mm.yyyy"), "03.11.2012");
    EXPECT_EQ(formatDate(date, "yyyymmdd"), "20121103");
    EXPECT_EQ(formatDate({100, 1, 1}, "yyyy-mm-dd"), "0100-01-01");
    EXPECT_EQ(formatDate(fromDayNumber(0).date, "yyyy-mm-dd"), "1899-12-30");
    const TimeOfDay time{8, 5, 2};
    EXPECT_EQ(formatTime(time, "hh:mm:ss"), "08:05:02");
    EXPECT_EQ(formatTime(time, "hhmmss"), "080502");
}

} // namespace
} // namespace orvik
