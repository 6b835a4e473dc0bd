#pragma once
// The result codes of the stand-in reader library.
#include <cstdint>

namespace standin {

inline constexpr int32_t kOk = 0;
inline constexpr int32_t kRunning = 1;       // a transfer step: call again
inline constexpr int32_t kNoReader = 2;      // no reader directory (ORVIK_READER_DIR)
inline constexpr int32_t kPortNotOpen = 3;   // not port 1-4, or not the port opened
inline constexpr int32_t kNoTransfer = 4;    // a step without a started transfer
inline constexpr int32_t kIoFailure = 5;     // a file could not be read or written
inline constexpr int32_t kBadArgument = 6;   // selector not 'A', or a name with a directory
inline constexpr int32_t kNoSuchFile = 48;   // the reader has no such file
inline constexpr int32_t kNoFileToSend = 53; // the file to send is not on the PC
inline constexpr int32_t kPcFileExists = 80; // save mode 2 keeps a file already on the PC

} // namespace standin
