#pragma once
// The few POSIX calls the core tests make, for Windows, where the C run-time
// lacks them. Included ahead of every core test source in the Windows build.
#ifdef _WIN32
#include <cstdlib>
#include <filesystem>
#include <string>

#include <process.h>

inline int setenv(const char* name, const char* value, int /*overwrite*/) {
    return _putenv_s(name, value);
}

inline int setenv(const char* name, const wchar_t* value, int /*overwrite*/) {
    return _wputenv_s(std::filesystem::path(name).c_str(), value);
}

inline int unsetenv(const char* name) {
    return _putenv_s(name, "");
}

// Fills the trailing "XXXXXX" with the process and a counter until a new
// directory can be made.
inline char* mkdtemp(char* pattern) {
    static unsigned counter = 0;
    std::string text(pattern);
    if (text.size() < 6 || text.compare(text.size() - 6, 6, "XXXXXX") != 0)
        return nullptr;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        char tail[7];
        std::snprintf(tail, sizeof tail, "%06u",
                      (static_cast<unsigned>(_getpid()) * 131u + ++counter) % 1000000u);
        text.replace(text.size() - 6, 6, tail);
        std::error_code error;
        if (std::filesystem::create_directory(text, error)) {
            text.copy(pattern, text.size());
            return pattern;
        }
    }
    return nullptr;
}
#endif
