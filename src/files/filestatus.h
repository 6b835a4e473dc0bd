#pragma once
// What the program asks of a file without opening it, through the one file
// seam: whether it is there, is a regular file, and how long it is.
#include <filesystem>
#include <optional>

#include "files/systemfile.h"

namespace orvik {

// Nothing when the path cannot be looked at (missing, or not reachable).
std::optional<systemfile::Status> statusOf(const std::filesystem::path& path);

bool isRegularFile(const std::filesystem::path& path);

// Known not to be a directory: nothing there, or something else in its
// place. False when it is a directory or cannot be looked at.
bool knownNotADirectory(const std::filesystem::path& path);

// A regular file of no bytes.
bool isEmptyRegularFile(const std::filesystem::path& path);

} // namespace orvik
