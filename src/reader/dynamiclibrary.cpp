#include "reader/dynamiclibrary.h"

#include "files/filestatus.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif
#if defined(__APPLE__)
#include <cstdint>
#include <mach-o/dyld.h>
#include <vector>
#endif

namespace orvik {

DynamicLibrary::~DynamicLibrary() {
    if (!handle_)
        return;
#if defined(_WIN32)
    FreeLibrary(static_cast<HMODULE>(handle_));
#else
    dlclose(handle_);
#endif
}

std::string DynamicLibrary::fileNameFor(const std::string& baseName) {
#if defined(_WIN32)
    return baseName + ".dll";
#elif defined(__APPLE__)
    return "lib" + baseName + ".dylib";
#else
    return "lib" + baseName + ".so";
#endif
}

std::filesystem::path DynamicLibrary::programDirectory() {
    std::filesystem::path program;
#if defined(_WIN32)
    wchar_t buffer[32768];
    const DWORD length = GetModuleFileNameW(nullptr, buffer, 32768);
    if (length == 0 || length >= 32768)
        return {};
    program = std::filesystem::path(std::wstring(buffer, length));
#elif defined(__APPLE__)
    uint32_t size = 0;
    _NSGetExecutablePath(nullptr, &size);
    std::vector<char> buffer(size + 1, '\0');
    if (_NSGetExecutablePath(buffer.data(), &size) != 0)
        return {};
    program = std::filesystem::path(buffer.data());
#else
    std::error_code error;
    program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
#endif
    return program.parent_path();
}

bool DynamicLibrary::openFile(const std::filesystem::path& file) {
#if defined(_WIN32)
    handle_ = LoadLibraryW(file.c_str());
#else
    handle_ = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
#endif
    return handle_ != nullptr;
}

bool DynamicLibrary::open(const std::string& baseName) {
    if (handle_)
        return true;
    const std::string fileName = fileNameFor(baseName);
    const std::filesystem::path beside = programDirectory();
    if (!beside.empty() && statusOf(beside / fileName) && openFile(beside / fileName))
        return true;
    // A bare file name makes the loader search the system's library path.
    return openFile(std::filesystem::path(fileName));
}

void* DynamicLibrary::symbol(const char* name) const {
    if (!handle_)
        return nullptr;
#if defined(_WIN32)
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
#else
    return dlsym(handle_, name);
#endif
}

} // namespace orvik
