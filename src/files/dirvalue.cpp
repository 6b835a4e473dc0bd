#include "files/dirvalue.h"

#include "text/codepage.h"

namespace orvik {

std::string inDir(std::string_view directoryValue, std::string_view fileName) {
    std::string path(directoryValue);
    path += fileName;
    return path;
}

namespace {

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

} // namespace

bool endsWithDirSeparator(std::string_view value) {
#ifdef _WIN32
    return !value.empty() && (value.back() == '\\' || value.back() == '/');
#else
    return !value.empty() && value.back() == '/';
#endif
}

bool ownFileUnder(std::string_view value, std::span<const char* const> ownFileNames) {
    std::error_code error;
    for (const char* name : ownFileNames)
        if (std::filesystem::exists(
                std::filesystem::symlink_status(fsPath(inDir(value, name)), error)))
            return true;
    return false;
}

std::string completedDirValue(std::string value, std::span<const char* const> ownFileNames) {
    if (value.empty() || endsWithDirSeparator(value))
        return value;
    std::error_code error;
    if (!std::filesystem::is_directory(fsPath(value), error) || ownFileUnder(value, ownFileNames))
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

std::filesystem::path directoryOf(const std::filesystem::path& path) {
    const std::filesystem::path parent = path.parent_path();
    return parent.empty() ? std::filesystem::path(".") : parent;
}

} // namespace orvik
