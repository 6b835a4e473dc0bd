#pragma once
// Reading a file in blocks of bounded size, so that memory does not grow
// with the file.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string_view>

#include "files/fileerror.h"

namespace orvik {

inline constexpr std::size_t kReadBlockSize = 4 << 20;

using BlockHandler = std::function<FileError(std::string_view block)>;

// Calls `block` for each piece of the file in order; stops at the first
// failure, the handler's or the read's. With `denyWriters` the file is held
// under a shared lock meanwhile, which keeps out writers that lock (our own
// appends).
FileError readInBlocks(const std::filesystem::path& path, const BlockHandler& block,
                       bool denyWriters = false, std::size_t blockSize = kReadBlockSize);

} // namespace orvik
