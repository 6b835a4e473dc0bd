#pragma once
#include <chrono>
#include <string>

#include "text/daydate.h"

namespace orvik {

// The current date and time, read separately, each at its own moment; and
// the time passed, for measuring how long something has taken.
class Clock {
public:
    virtual ~Clock() = default;
    virtual CalendarDate today() = 0;
    virtual TimeOfDay now() = 0;
    // Time since a fixed moment of this run. It never goes back, whatever is
    // done to the date or the time of day meanwhile.
    virtual std::chrono::nanoseconds elapsed() = 0;
};

// "dd.mm.yyyy hh:mm:ss": the date read first, then the time.
inline std::string clockStamp(Clock& clock) {
    const CalendarDate date = clock.today();
    const TimeOfDay time = clock.now();
    return formatDate(date, "dd.mm.yyyy") + " " + formatTime(time, "hh:mm:ss");
}

} // namespace orvik
