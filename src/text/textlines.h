#pragma once
// Text lines as the files hold them.
#include <string>
#include <string_view>
#include <vector>

namespace orvik {

// A line ends at CR, and CR LF counts as one end; a lone LF stays part of
// the line. A last line without an end is still a line; an empty text has
// no lines.
std::vector<std::string> splitLines(std::string_view content);

// Calls `line` for every line, as splitLines finds them, without copying.
template <typename F> void forEachLine(std::string_view content, F&& line) {
    std::size_t start = 0;
    const std::size_t n = content.size();
    while (start < n) {
        std::size_t cr = content.find('\r', start);
        if (cr == std::string_view::npos) {
            line(content.substr(start));
            return;
        }
        line(content.substr(start, cr - start));
        start = cr + 1;
        if (start < n && content[start] == '\n')
            ++start;
    }
}

// Every line followed by CR LF.
std::string joinLinesCrLf(const std::vector<std::string>& lines);

} // namespace orvik
