#include "common/dirvalue.h"

#include "common/codepage.h"

namespace orvik {

std::string inDir(std::string_view directoryValue, std::string_view fileName) {
    std::string path(directoryValue);
    path += fileName;
    return path;
}

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
bool endsWithSeparator(const std::string& value) {
    return value.back() == '\\' || value.back() == '/';
}
#else
constexpr char kSeparator = '/';
bool endsWithSeparator(const std::string& value) {
    return value.back() == '/';
}
#endif

} // namespace

std::string completedDirValue(std::string value, std::span<const char* const> ownFileNames) {
    if (value.empty() || endsWithSeparator(value))
        return value;
    std::error_code error;
    if (!std::filesystem::is_directory(fsPath(value), error))
        return value;
    for (const char* name : ownFileNames)
        if (std::filesystem::exists(
                std::filesystem::symlink_status(fsPath(inDir(value, name)), error)))
            return value;
    value += kSeparator;
    return value;
}

std::string currentDirWithSeparator() {
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    if (error)
        return std::string();
    std::string value = cpPath(current);
    if (value.empty() || value.back() != kSeparator)
        value += kSeparator;
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
