#pragma once
// Directory values: a file name is appended directly, with no separator in
// between, so a directory value ends with its separator; an empty value is
// the current directory.
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace orvik {

std::string inDir(std::string_view directoryValue, std::string_view fileName);

// The current directory followed by the separator ("/" here, "\" on Windows).
std::string currentDirWithSeparator();

// A directory value as the program uses it: a value naming an existing
// directory without its trailing separator gets one, so that a file name
// lands inside the directory rather than beside it. A value under which one
// of `ownFileNames` (the program's files that live there, ownfiles.h)
// already exists as it stands has been used as a bare prefix, and completing
// it would hide that file: it stays, as does any other value (empty, already
// ended, naming nothing or a file).
std::string completedDirValue(std::string value, std::span<const char* const> ownFileNames);

// Whether the value ends with a separator ("/"; "\" or "/" on Windows).
bool endsWithDirSeparator(std::string_view value);
// Whether one of `ownFileNames` exists under the value as it stands.
bool ownFileUnder(std::string_view value, std::span<const char* const> ownFileNames);

// The directory a file lies in ("." for a bare name).
std::filesystem::path directoryOf(const std::filesystem::path& path);

// A path held as code-page bytes, for the file system.
std::filesystem::path fsPath(std::string_view cp1252Path);
// The same path back as code-page bytes, for messages and settings.
std::string cpPath(const std::filesystem::path& path);

// The program-wide directory values, read once at start-up.
struct Directories {
    std::string datPolku; // work file, log, list export, zero rows
    std::string datat;    // the cash-register system's stock files
    std::string invPolku; // the transfer file
};

} // namespace orvik
