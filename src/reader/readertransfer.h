#pragma once
// What the fetch and the send share: the stepping loop with its progress
// caption, and the failure message.
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/clock.h"
#include "platform/messagebox.h"
#include "reader/readerlibrary.h"
#include "reader/readerview.h"

namespace orvik {

// One step of a running transfer (HM_upload2 or HM_download2).
using TransferStep = std::function<int32_t(int32_t& bytes, int32_t& other)>;

// A transfer whose byte count has not passed its highest value for this long
// is stuck, not slow: the reader answers "call again" without moving
// anything. At 19 200 bit/s a block of 512 bytes takes a fraction of a
// second and a repeated handshake a few seconds; a minute of nothing is no
// link's retry. Measured in time, since a library may answer "call again"
// any number of times a second.
inline constexpr std::chrono::seconds kTransferStallLimit{60};

// The result a stuck transfer leaves in `tulos`: a code no reader returns.
inline constexpr int32_t kReaderTransferStalled = 9998;

// Calls `step` while it answers 1 and sets lblA's caption after every call,
// the last one included; answers the last result, or kReaderTransferStalled
// once the transfer is stuck by `clock`. Window events don't run in between.
int32_t runTransfer(ReaderView& view, Clock& clock, const TransferStep& step);

// " Siirretty " + bytes + " tavua ".
std::string progressCaption(int32_t bytes);

// " Virhe nro " + the code.
std::string readerErrorTitle(int32_t code);

// A reader failure's text; when the code says the reader library is missing,
// followed by which library and where it was looked for.
std::string readerFailureText(std::string text, int32_t code, const ReaderLibrary& reader);

// " Siirto epäonnistui. " under the error title, exclamation icon; for a
// stuck transfer its own message under the same kind of title.
void reportTransferFailure(MessageBoxes& messages, int32_t code, const ReaderLibrary& reader);

} // namespace orvik
