#pragma once
#include <memory>

#include "reader/readerlibrary.h"

namespace orvik {

// The reader library as the program uses it: loaded at its first call.
std::unique_ptr<ReaderLibrary> makeReaderLibrary();

} // namespace orvik
