#include "text/textlines.h"

namespace orvik {

std::vector<std::string> splitLines(std::string_view content) {
    std::vector<std::string> lines;
    forEachLine(content, [&lines](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

std::string joinLinesCrLf(const std::vector<std::string>& lines) {
    std::size_t total = 0;
    for (const std::string& line : lines)
        total += line.size() + 2;
    std::string content;
    content.reserve(total);
    for (const std::string& line : lines) {
        content += line;
        content += "\r\n";
    }
    return content;
}

} // namespace orvik
