#pragma once
// A fresh directory per test, and the current directory moved into it, since
// the program works on files named relative to where it runs.
#include <filesystem>
#include <string>

namespace orvik::test {

class TempDir {
public:
    TempDir();
    // A fresh directory under `parent` (another file system, say).
    explicit TempDir(const std::filesystem::path& parent);
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The directory as a directory value: its path followed by the separator
    // ("/", or "\\" on Windows).
    std::string dirValue() const;
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Runs the test inside `dir` and goes back to where it was afterwards.
class ScopedCurrentDir {
public:
    explicit ScopedCurrentDir(const std::filesystem::path& dir);
    ~ScopedCurrentDir();

private:
    std::filesystem::path previous_;
};

} // namespace orvik::test
