#pragma once
// Clearing the reader: deleting its data file, and telling the user.
#include <cstdint>

#include "platform/messagebox.h"
#include "reader/readerlink.h"

namespace orvik {

// Deletes the data file on the reader; answers the result code.
int32_t tyhjenna(const ReaderLink& link);

// The clearing of "Tyhjää lukija": tyhjenna, then its report with the main
// window hidden, then the main window shown again. Answers the result code.
int32_t clearReaderAndReport(const ReaderLink& link);

// Reports a clearing's result: 0 and 48 mean the reader is empty.
void reportClearing(MessageBoxes& messages, int32_t tulos, const ReaderLibrary& reader);

} // namespace orvik
