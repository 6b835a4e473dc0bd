#include "files/fileerror.h"

#include <cstring>

#include "files/dirvalue.h"

namespace orvik {

std::string FileError::message() const {
    return std::to_string(number) + " " + text;
}

FileError FileError::fromErrno(int errorNumber) {
    FileError error;
    error.number = errorNumber;
    error.text = std::strerror(errorNumber);
    return error;
}

FileError& FileError::about(FileOperation what, const std::filesystem::path& file) {
    if (failed() && path.empty()) {
        operation = what;
        path = cpPath(file);
    }
    return *this;
}

} // namespace orvik
