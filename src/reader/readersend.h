#pragma once
// Sending the counting program to the reader.
#include <cstdint>

#include "reader/readerlink.h"

namespace orvik {

// Sends the counting program, reports, and ends the program; answers the
// result code.
int32_t vieohjelma(const ReaderLink& link);

} // namespace orvik
