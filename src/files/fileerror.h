#pragma once
// A file operation's failure as the user is told it: the system's number and
// text, what was being done and to which file. The bottom of the file layer:
// it includes nothing of the layer.
#include <filesystem>
#include <string>

namespace orvik {

// A path as the system takes it: bytes on POSIX, UTF-16 on Windows.
using NativePathChar = std::filesystem::path::value_type;

// What was being done to a file when it failed, for telling the user.
enum class FileOperation { Unknown, Read, Write, Remove, Move };

struct FileError {
    int number = 0;   // the system's error number; 0 = no failure
    std::string text; // the system's text for it
    FileOperation operation = FileOperation::Unknown;
    std::string path; // the file, as code-page bytes; empty when unknown
    bool failed() const { return number != 0; }
    // The number and the text separated by one blank.
    std::string message() const;
    static FileError fromErrno(int errorNumber);
    // Names the file and the operation, unless a failure already names them.
    FileError& about(FileOperation what, const std::filesystem::path& file);
};

} // namespace orvik
