#include "workfile/importer.h"

#include <utility>
#include <vector>

#include "common/dirvalue.h"
#include "workfile/crlflines.h"

namespace orvik {

std::string logHeaderLine(Clock& clock) {
    const CalendarDate date = clock.today();
    const TimeOfDay time = clock.now();
    return formatDate(date, "dd.mm.yyyy") + " " + formatTime(time, "hh:mm:ss") + "\r\n";
}

ImportResult tuodata(const std::filesystem::path& source, const std::string& datPolku,
                     Clock& clock) {
    ImportResult result;
    std::string content;
    result.error = readWholeFile(source, content);
    if (result.error.failed())
        return result;
    CrLfLines copied = withCrLfEnds(std::move(content));

    const std::string header = logHeaderLine(clock);
    const std::filesystem::path logFile = fsPath(inDir(datPolku, kLogFileName));
    // The lines go to both files from the one buffer, the log's after its header.
    result.error = appendSlicesAllOrNothing({
        {fsPath(inDir(datPolku, kWorkFileName)), copied.text},
        {logFile, header},
        {logFile, copied.text},
    });
    if (!result.error.failed())
        result.lineCount = copied.count;
    return result;
}

} // namespace orvik
