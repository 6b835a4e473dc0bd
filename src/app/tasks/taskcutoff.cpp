#include "app/tasks/taskcutoff.h"

#include "text/numbertext.h"

namespace orvik {

double commandLineDays(std::string_view commandLine) {
    return cellNumber(commandLine);
}

double zeroInventoryCutOff(const CalendarDate& today, std::string_view commandLine) {
    return toDayNumber(today) - commandLineDays(commandLine);
}

} // namespace orvik
