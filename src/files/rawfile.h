#pragma once
// The small steps the file writers share, each through the seam of
// files/fileops.h so that tests can make them fail.
#include <filesystem>
#include <string_view>

#include "files/fileerror.h"

namespace orvik {

inline constexpr int kNewFileMode = 0666; // narrowed by the user's umask

// Writes every byte, going on after partial writes and interruptions.
FileError writeAll(int fd, std::string_view bytes);

// A fresh name beside `target` for writing its new content first:
// "." + its name + ".tmp-" + the process and a counter. Start-up removes
// such files left by a killed program.
std::filesystem::path temporaryBeside(const std::filesystem::path& target);

// Makes a rename, a new or a removed directory entry durable; best effort,
// since the content itself is already on disk.
void syncDirectory(const std::filesystem::path& directory);

} // namespace orvik
