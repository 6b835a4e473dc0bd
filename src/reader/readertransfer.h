#pragma once
// What the fetch and the send share: the stepping loop with its progress
// caption, and the failure message.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/messagebox.h"
#include "reader/readerview.h"

namespace orvik {

// One step of a running transfer (HM_upload2 or HM_download2).
using TransferStep = std::function<int32_t(int32_t& bytes, int32_t& other)>;

// Calls `step` while it answers 1 and sets lblA's caption after every call,
// the last one included; answers the last result. Window events don't run
// in between.
int32_t runTransfer(ReaderView& view, const TransferStep& step);

// " Siirretty " + bytes + " tavua ".
std::string progressCaption(int32_t bytes);

// " Virhe nro " + the code.
std::string readerErrorTitle(int32_t code);

// " Siirto epäonnistui. " under the error title, exclamation icon.
void reportTransferFailure(MessageBoxes& messages, int32_t code);

} // namespace orvik
