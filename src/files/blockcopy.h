#pragma once
// Copying a file of any size in blocks of bounded size, through the file
// operations of the safe write: the copy stands whole under its name or not
// at all, and memory does not grow with the file.
#include <cstddef>
#include <filesystem>

#include "files/fileerror.h"

namespace orvik {

inline constexpr std::size_t kCopyBlockSize = std::size_t{1} << 18;

// Copies `from` into a temporary file beside `to`, flushes it and renames it
// over `to`. On failure `to` is as it was and the temporary is gone.
FileError copyFileReplacing(const std::filesystem::path& from, const std::filesystem::path& to);

} // namespace orvik
