#include "faults.h"

#include <charconv>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

#include "readermemory.h"
#include "safefile.h"

namespace standin {

namespace {

// "HM_upload1 5" -> the code, when the line names `entry`.
std::optional<int32_t> faultCode(const std::string& line, const std::string& entry) {
    std::istringstream words(line);
    std::string name, code;
    if (!(words >> name >> code) || name != entry)
        return std::nullopt;
    int32_t value = 0;
    auto [end, error] = std::from_chars(code.data(), code.data() + code.size(), value);
    if (error != std::errc() || end != code.data() + code.size())
        return std::nullopt;
    return value;
}

std::vector<std::string> readLines(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

void writeRemaining(const std::filesystem::path& file, const std::vector<std::string>& lines) {
    std::error_code ignored;
    if (lines.empty()) {
        std::filesystem::remove(file, ignored);
        return;
    }
    std::string content;
    for (const std::string& line : lines)
        content += line + "\n";
    writeFileSafely(file, content, true);
}

} // namespace

std::optional<int32_t> takeFault(const std::string& entry) {
    const auto dir = readerDirectory();
    if (!dir)
        return std::nullopt;
    const std::filesystem::path file = *dir / kFaultsFileName;
    std::error_code error;
    if (!std::filesystem::exists(file, error))
        return std::nullopt;
    std::vector<std::string> lines = readLines(file);
    for (auto line = lines.begin(); line != lines.end(); ++line) {
        if (auto code = faultCode(*line, entry)) {
            lines.erase(line);
            writeRemaining(file, lines);
            return code;
        }
    }
    return std::nullopt;
}

} // namespace standin
