#include "readermemory.h"

#include <cstdlib>
#include <system_error>

namespace standin {

std::optional<std::filesystem::path> readerDirectory() {
    const char* value = std::getenv(kReaderDirVariable);
    if (!value || !*value)
        return std::nullopt;
    std::error_code error;
    // The environment holds the path in the system's own encoding.
    std::filesystem::path dir(value);
    if (!std::filesystem::is_directory(dir, error))
        return std::nullopt;
    return dir;
}

bool isPlainFileName(const std::string& name) {
    if (name.empty() || name == "." || name == "..")
        return false;
    return name.find_first_of("/\\:") == std::string::npos;
}

} // namespace standin
