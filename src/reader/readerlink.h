#pragma once
// The reader routines of the main window, as plain code: the port check, the
// fetch of the count, the clearing of the reader and the program send. They
// work through the reader library, the platform and the main window's view,
// and on the window's two link fields.
#include <cstdint>
#include <filesystem>
#include <string>

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
inline constexpr const char* kReaderDataFile = "pnqty.dat";
inline constexpr const char* kReaderProgramFile = "Autoexec.exe";

// Result codes the routines judge.
inline constexpr int32_t kReaderOk = 0;
inline constexpr int32_t kReaderRunning = 1;
inline constexpr int32_t kReaderNoSuchFile = 48;

// The fetched file on the PC: the library leaves it under the plain name
// "pnqty.dat" in the current directory, so the import reads it from there and
// removes it from there afterwards.
std::filesystem::path fetchedFilePath();

struct ReaderLink {
    ReaderLibrary& reader;
    Platform& platform;
    ReaderView& view;
    int32_t& porttinro;
    int32_t& tulos;
    std::string datPolku; // where the work file and the log are
};

// Opens and at once closes the port; nothing is judged or shown.
void kokeileportti(ReaderLibrary& reader, int32_t port);

// Starts a fetch: HM_upload1 with these arguments, then
// HM_get_return_string_length(0); answers HM_upload1's result.
int32_t aloitanouto(ReaderLibrary& reader, int32_t port, uint8_t selector, std::string name,
                    std::string& name2);

// Deletes the data file on the reader; the result is left in link.tulos.
void tyhjenna(ReaderLink& link);

// The clearing of "Tyhjää lukija": tyhjenna, then its report with the main
// window hidden, then the main window shown again.
void clearReaderAndReport(ReaderLink& link);

// Reports a clearing's result: 0 and 48 mean the reader is empty.
void reportClearing(MessageBoxes& messages, int32_t tulos);

// Fetches the count, takes it into the work file, clears the reader and
// opens the review window. Ends the program on failure (true is returned
// only when the fetch and the import succeeded).
bool noudatiedot(ReaderLink& link);

// Sends the counting program to the reader, reports, and ends the program.
void vieohjelma(ReaderLink& link);

} // namespace orvik
