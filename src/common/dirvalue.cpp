#include "common/dirvalue.h"

#include "common/codepage.h"

namespace orvik {

std::string inDir(std::string_view directoryValue, std::string_view fileName) {
    std::string path(directoryValue);
    path += fileName;
    return path;
}

std::string currentDirWithSeparator() {
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    if (error)
        return std::string();
    std::string value = cpPath(current);
#ifdef _WIN32
    const char separator = '\\';
#else
    const char separator = '/';
#endif
    if (value.empty() || value.back() != separator)
        value += separator;
    return value;
}

std::string cpPath(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return cp1252::fromUtf8(
        std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
}

std::filesystem::path fsPath(std::string_view cp1252Path) {
    const std::string utf8 = cp1252::toUtf8(cp1252Path);
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

} // namespace orvik
