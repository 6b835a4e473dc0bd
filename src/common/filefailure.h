#pragma once
// A failed file operation told to the user in the program's Finnish style:
// which file, what was being done, the system's number and text.
#include <string>

#include "common/safewrite.h"

namespace orvik {

// " Tiedostoa <path> ei voitu lukea: <nr> <text>. " and the like; the number
// and the text alone when the failure names no file.
std::string fileFailureText(const FileError& error);

} // namespace orvik
