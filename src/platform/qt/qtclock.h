#pragma once
// The system clock in local time.
#include <QElapsedTimer>

#include "platform/clock.h"

namespace orvik {

class QtClock : public Clock {
public:
    QtClock();
    CalendarDate today() override;
    TimeOfDay now() override;
    std::chrono::nanoseconds elapsed() override;

private:
    QElapsedTimer sinceStart_;
};

} // namespace orvik
