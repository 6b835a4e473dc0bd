#pragma once
// A shared library opened at run time and its symbols looked up by name.
#include <filesystem>
#include <string>

namespace orvik {

class DynamicLibrary {
public:
    DynamicLibrary() = default;
    ~DynamicLibrary();
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    // Opens the library `baseName` ("multidll"): first the platform's file
    // for it beside the running program, then by file name on the system's
    // library search path. False when neither opens.
    bool open(const std::string& baseName);
    bool isOpen() const { return handle_ != nullptr; }

    // The address of an exported symbol, or nullptr.
    void* symbol(const char* name) const;

    // "libmultidll.so", "libmultidll.dylib" or "multidll.dll".
    static std::string fileNameFor(const std::string& baseName);
    // The directory of the running program; empty when it can't be told.
    static std::filesystem::path programDirectory();

private:
    bool openFile(const std::filesystem::path& file);
    void* handle_ = nullptr;
};

} // namespace orvik
