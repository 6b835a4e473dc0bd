#pragma once
// The small steps the file writers share, each through the seam of
// common/safewrite.h so that tests can make them fail.
#include <filesystem>
#include <string_view>

#include "common/safewrite.h"

namespace orvik {

inline constexpr int kNewFileMode = 0666; // narrowed by the user's umask

// The failure the last file operation left (errno on POSIX).
FileError lastFileError();

// Writes every byte, going on after partial writes and interruptions.
FileError writeAll(int fd, std::string_view bytes);

std::filesystem::path directoryOf(const std::filesystem::path& path);

// A fresh name beside `target` for writing its new content first:
// "." + its name + ".tmp-" + the process and a counter. Start-up removes
// such files left by a killed program.
std::filesystem::path temporaryBeside(const std::filesystem::path& target);

// Makes a rename, a new or a removed directory entry durable; best effort,
// since the content itself is already on disk.
void syncDirectory(const std::filesystem::path& directory);

} // namespace orvik
