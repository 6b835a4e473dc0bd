#pragma once
// The cut-off date of a zero inventory: today at 00:00 moved back by the
// number of days the command line begins with.
#include <string_view>

#include "text/daydate.h"

namespace orvik {

// The number the command line begins with: leading blanks, optional sign,
// digits with "." as decimal point; a line that does not begin with a number
// gives 0.
double commandLineDays(std::string_view commandLine);

// A day number: "1.5" on 13 November gives 11 November at 12:00.
double zeroInventoryCutOff(const CalendarDate& today, std::string_view commandLine);

} // namespace orvik
