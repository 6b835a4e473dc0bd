#pragma once
// A stock file that could not be opened or read, and how the user is told.
#include <string>

#include "files/safewrite.h"

namespace orvik {

struct StockFileFailure {
    std::string path; // directory value + file name, code-page bytes
    FileError error;
};

// The notice naming the file, e.g. " Varastotiedostoa C:\kassa\CASSA.002 ei voi lukea. ".
std::string stockFailureText(const StockFileFailure& failure);

} // namespace orvik
