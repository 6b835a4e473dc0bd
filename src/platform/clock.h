#pragma once
#include "common/daydate.h"

namespace orvik {

// The current date and time, read separately, each at its own moment.
class Clock {
public:
    virtual ~Clock() = default;
    virtual CalendarDate today() = 0;
    virtual TimeOfDay now() = 0;
};

} // namespace orvik
