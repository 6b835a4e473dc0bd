#include "workfile/importer.h"

#include <utility>
#include <vector>

#include "common/dirvalue.h"
#include "common/textlines.h"

namespace orvik {
namespace {

struct CopiedLines {
    std::string text; // every line with CR LF
    std::int64_t count = 0;
};

CopiedLines copyLines(std::string_view content) {
    CopiedLines copied;
    // Room for a CR LF on every line of an 18-character layout, and then some.
    copied.text.reserve(content.size() + content.size() / 8 + 2);
    forEachLine(content, [&copied](std::string_view line) {
        copied.text.append(line);
        copied.text.append("\r\n");
        ++copied.count;
    });
    return copied;
}

} // namespace

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
    CopiedLines copied = copyLines(content);
    content = std::string(); // the source is no longer needed; free it before writing

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
