#pragma once
// The system clock in local time.
#include "platform/clock.h"

namespace orvik {

class QtClock : public Clock {
public:
    CalendarDate today() override;
    TimeOfDay now() override;
};

} // namespace orvik
