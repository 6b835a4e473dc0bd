#pragma once
// Opening and closing the port with the line settings every exchange uses.
#include <cstdint>

#include "reader/readerlibrary.h"

namespace orvik {

// The library's answer is kept by no caller: a port that can't be opened
// shows up as the error number of the first transfer call instead.
void openPort(ReaderLibrary& reader, int32_t port);
void closePort(ReaderLibrary& reader, int32_t port);

// Opens and at once closes the port; nothing is judged or shown.
void kokeileportti(ReaderLibrary& reader, int32_t port);

} // namespace orvik
