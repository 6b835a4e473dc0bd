#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "reader/readerlibrary.h"

namespace orvik {

// What every transfer entry answers when the reader library can't be loaded
// or lacks the entry; no reader returns it. Opening and closing the port then
// do nothing.
inline constexpr int32_t kReaderLibraryMissing = 9999;

// The reader library as the program uses it: `multidll`, loaded at the first
// call of any entry, each entry bound by its name at its own first call.
std::unique_ptr<ReaderLibrary> makeReaderLibrary();

// The same for a library of another name (tests).
std::unique_ptr<ReaderLibrary> makeReaderLibrary(const std::string& baseName);

} // namespace orvik
