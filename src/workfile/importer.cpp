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

    std::string logText = logHeaderLine(clock);
    logText.reserve(logText.size() + copied.text.size());
    logText.append(copied.text);

    std::vector<FileContent> parts;
    parts.push_back({fsPath(inDir(datPolku, kWorkFileName)), std::move(copied.text)});
    parts.push_back({fsPath(inDir(datPolku, kLogFileName)), std::move(logText)});
    result.error = appendAllOrNothing(parts);
    if (!result.error.failed())
        result.lineCount = copied.count;
    return result;
}

} // namespace orvik
