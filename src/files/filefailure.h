#pragma once
// A failed file operation told to the user in the program's Finnish style:
// which file, what was being done, the system's number and text.
#include <string>

#include "files/fileerror.h"

namespace orvik {

// " Tiedostoa <path> ei voitu lukea: <nr> <text>. " and the like; the number
// and the text alone when the failure names no file; " Tiedosto <path> on
// toisen ohjelman käytössä. " for a lock another program kept.
std::string fileFailureText(const FileError& error);

// Whether the failure is a lock another program kept on the file.
bool isFileInUse(const FileError& error);

} // namespace orvik
