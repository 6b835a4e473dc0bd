#include "platform/qt/qtclock.h"

#include <QDate>
#include <QTime>

namespace orvik {

QtClock::QtClock() {
    sinceStart_.start();
}

CalendarDate QtClock::today() {
    const QDate date = QDate::currentDate();
    return CalendarDate{date.year(), date.month(), date.day()};
}

TimeOfDay QtClock::now() {
    const QTime time = QTime::currentTime();
    return TimeOfDay{time.hour(), time.minute(), time.second()};
}

std::chrono::nanoseconds QtClock::elapsed() {
    return std::chrono::nanoseconds(sinceStart_.nsecsElapsed());
}

} // namespace orvik
