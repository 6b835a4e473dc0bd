#pragma once
// Whole files for the stand-in library: read at once, written beside
// themselves and then moved into place, so a file is never seen half done.
#include <filesystem>
#include <string>

namespace standin {

bool readWholeFile(const std::filesystem::path& file, std::string& content);

// Writes `content` to a temporary file next to `file`, flushes it to disk and
// moves it to `file`. With `replace` false an existing `file` is kept and the
// write fails.
bool writeFileSafely(const std::filesystem::path& file, const std::string& content, bool replace);

} // namespace standin
