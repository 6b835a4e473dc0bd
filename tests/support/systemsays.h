#pragma once
// What the operating system says where the tests meet it, so that one test
// checks the same behaviour on POSIX and on Windows.
#include <cstdint>
#include <filesystem>
#include <string>

#include "files/safewrite.h"

namespace orvik::test {

// The separator a directory value gets: "/", or "\" on Windows.
std::string separator();

// The failure for a path that goes through a regular file as if it were a
// directory: ENOTDIR on POSIX, "path not found" on Windows.
FileError fileInPlaceOfDirectory();

// The failure for reading a directory as if it were a file: EISDIR on POSIX,
// "access denied" on Windows.
FileError directoryInPlaceOfFile();

// Makes `path` `length` bytes long without writing them (sparse).
void resizeSparse(const std::filesystem::path& path, std::uintmax_t length);

} // namespace orvik::test
