#pragma once
// The reader's memory: a directory named by the environment variable
// ORVIK_READER_DIR, one file there per file on the reader.
#include <filesystem>
#include <optional>
#include <string>

namespace standin {

inline constexpr const char* kReaderDirVariable = "ORVIK_READER_DIR";

// The reader's directory; none when the variable is unset or empty or names
// no existing directory (no reader answers then).
std::optional<std::filesystem::path> readerDirectory();

// A file name as the reader and the PC exchange it: no directory part.
bool isPlainFileName(const std::string& name);

} // namespace standin
