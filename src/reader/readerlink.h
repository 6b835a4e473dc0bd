#pragma once
// What every reader routine of the main window works with: the reader
// library, the platform, the main window's view, the chosen port and the
// work-file directory; and the fixed values of every exchange.
#include <cstdint>
#include <string>

#include "files/ownfiles.h"
#include "platform/platform.h"
#include "reader/readerlibrary.h"
#include "reader/readerview.h"

namespace orvik {

// Fixed values of every exchange with the reader.
inline constexpr int32_t kBitRate = 19200;
inline constexpr int32_t kDataBits = 8;
inline constexpr int32_t kParity = 0;
inline constexpr int32_t kStopBits = 1;
inline constexpr int32_t kUploadSaveMode = 2;
inline constexpr uint8_t kSelector = 65; // 'A'
// The reader holds its data under the name of the count on its way in.
inline constexpr const char* kReaderDataFile = kPendingCountName;
inline constexpr const char* kReaderProgramFile = "Autoexec.exe";

// Result codes the routines judge.
inline constexpr int32_t kReaderOk = 0;
inline constexpr int32_t kReaderRunning = 1;
inline constexpr int32_t kReaderNoSuchFile = 48;

// The routines return the reader's result code; the window keeps it in its
// own field.
struct ReaderLink {
    ReaderLibrary& reader;
    Platform& platform;
    ReaderView& view;
    int32_t port;
    std::string datPolku; // where the work file and the log are
};

} // namespace orvik
